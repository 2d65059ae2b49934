# The two commands of the README:
#   make run   installs what is missing, builds, and runs the installer on a demo install root
#   make test  installs what is missing, builds native, sanitizer and Windows builds, runs every test
#   make msi   builds the Windows package build/windows/instalador.msi (see README)
#   make sign  signs the Windows artefacts with the certificate in VARNEL_SIGN_PFX (see README)
.PHONY: run test bench deps native windows msi sanitizers sign clean

DEMO := build/demo/vexon7

deps:
	@scripts/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

windows: native
	cmake --preset windows >/dev/null
	cmake --build --preset windows

# The package that Group Policy, Intune and SCCM deploy; the Windows build makes it too.
msi: windows
	cmake --build --preset windows --target msi

sanitizers: deps
	cmake --preset sanitizers >/dev/null
	cmake --build --preset sanitizers

run: native
	mkdir -p $(DEMO)
	cd $(DEMO) && ../../native/instalador; echo "instalador ended with exit code $$?"
	@echo "Installed under $(DEMO)/btn: $$(find $(DEMO)/btn -type f | wc -l) files in $$(ls $(DEMO)/btn | wc -l) edition folders"

test: msi sanitizers
	cmake --preset native -DVARNEL_WINDOWS_EXE=$(CURDIR)/build/windows/instalador.exe >/dev/null
	cmake --build --preset native
	@# Every test runs on a temporary install root. A run on an empty root makes /btn at the
	@# machine's root; that has happened once, so its appearing fails the tests.
	@before=$$([ -e /btn ] && echo yes); \
	  [ -z "$$before" ] || echo "note: /btn was there before the tests; it is not checked"; \
	  ctest --preset native && ctest --preset sanitizers && \
	  { [ -n "$$before" ] || [ ! -e /btn ] || \
	    { echo "FAIL: a test wrote /btn, outside its temporary install root"; exit 1; }; }

# Speed, memory and size against peers measured in the same run: on tmpfs, where figures are
# steady, against the floor (write_floor), tar -xf and a rerun, natively and under Wine; then
# for information on the disk under build/. BEFORE=<instalador> and BEFORE_EXE=<instalador.exe>
# add an earlier build to the same rounds, e.g. make bench BEFORE=/dev/shm/before-instalador
# BEFORE_EXE=/dev/shm/before-instalador.exe
BENCH_BEFORE = $(if $(BEFORE),--before $(BEFORE)) $(if $(BEFORE_EXE),--before-exe $(BEFORE_EXE))
bench: windows
	build/native/install_vs_tar $(BENCH_BEFORE) --wine build/windows/write_floor.exe \
	  build/native/instalador /dev/shm build/windows/instalador.exe
	build/native/install_vs_tar $(if $(BEFORE),--before $(BEFORE)) build/native/instalador \
	  $(CURDIR)/build build/windows/instalador.exe
	build/native/store_bench /dev/shm/varnel-store-bench; rm -rf /dev/shm/varnel-store-bench

# Signs build/windows/instalador.exe (and instalador.msi when there is one) in place. Compiles
# nothing: it signs what was built and tested. The package embeds the program, so it is made
# again from the signed program (wixl only) before it is signed itself.
sign: deps
	@scripts/sign.sh build/windows/instalador.exe
	@if [ -f build/windows/instalador.msi ]; then \
	  cmake --build --preset windows --target msi && scripts/sign.sh build/windows/instalador.msi; \
	fi

clean:
	rm -rf build
