#include "export/PictureStore.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "export/PictureCheck.h"
#include "export/StoreFormat.h"
#include "forms/Forms.h"
#include "platform/Text.h"

namespace varnel {

namespace {

using store::ReadU32;

// Reads the store's records with every range checked against its length.
class Reader {
 public:
  Reader(std::span<const std::uint8_t> bytes, const std::string& name)
      : bytes_(bytes), name_(name) {}

  [[noreturn]] void Fail(const std::string& what) const {
    throw forms::Exception("Stored layout " + name_ + " is damaged: " + what);
  }

  std::uint32_t U32(std::size_t at) const { return ReadU32(bytes_.data() + at); }

  // Checks that `count` records of `size` bytes at `offset` lie inside the store.
  void CheckTable(std::uint32_t offset, std::uint64_t count, std::size_t size,
                  const char* what) const {
    if (offset < store::kHeaderSize || offset + count * size > bytes_.size())
      Fail(std::string(what) + " lies outside the store");
  }

  std::string_view String(std::uint32_t offset, std::uint32_t length, const char* what) const {
    if (static_cast<std::uint64_t>(offset) + length > stringsSize_)
      Fail(std::string(what) + " lies outside the string pool");
    return {reinterpret_cast<const char*>(bytes_.data()) + stringsOffset_ + offset, length};
  }

  std::uint32_t stringsOffset_ = 0;
  std::uint32_t stringsSize_ = 0;

 private:
  std::span<const std::uint8_t> bytes_;
  const std::string& name_;
};

}  // namespace

int CompareNamesIgnoringCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(platform::LowerAscii(a[i]));
    const auto y = static_cast<unsigned char>(platform::LowerAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

PictureStore PictureStore::Load(std::span<const std::uint8_t> bytes, std::string name) {
  PictureStore s;
  s.name_ = std::move(name);
  s.bytes_ = bytes;
  Reader r(bytes, s.name_);

  if (bytes.size() < store::kHeaderSize) r.Fail("shorter than its header");
  if (std::memcmp(bytes.data(), store::kMagic.data(), store::kMagic.size()) != 0)
    r.Fail("not a picture store (wrong magic)");
  if (r.U32(store::field::kVersion) != store::kStoreVersion)
    r.Fail("format version " + std::to_string(r.U32(store::field::kVersion)) + ", expected " +
           std::to_string(store::kStoreVersion));
  if (r.U32(store::field::kSize) != bytes.size())
    r.Fail("size field says " + std::to_string(r.U32(store::field::kSize)) + " bytes, found " +
           std::to_string(bytes.size()));
  if (store::Crc32(bytes.subspan(store::kChecksumStart)) != r.U32(store::field::kChecksum))
    r.Fail("checksum does not match");

  const std::uint32_t componentCount = r.U32(store::field::kComponentCount);
  const std::uint32_t propertyCount = r.U32(store::field::kPropertyCount);
  const std::uint32_t pictureCount = r.U32(store::field::kPictureCount);
  const std::uint32_t componentsAt = r.U32(store::field::kComponents);
  const std::uint32_t propertiesAt = r.U32(store::field::kProperties);
  const std::uint32_t picturesAt = r.U32(store::field::kPictures);
  const std::uint32_t indexAt = r.U32(store::field::kIndex);
  r.stringsOffset_ = r.U32(store::field::kStrings);
  r.stringsSize_ = r.U32(store::field::kStringsSize);
  const std::uint32_t dataAt = r.U32(store::field::kData);
  const std::uint32_t dataSize = r.U32(store::field::kDataSize);
  if (componentCount == 0) r.Fail("no form component");
  r.CheckTable(componentsAt, componentCount, store::kComponentRecord, "component table");
  r.CheckTable(propertiesAt, propertyCount, store::kPropertyRecord, "property table");
  r.CheckTable(picturesAt, pictureCount, store::kPictureRecord, "picture table");
  r.CheckTable(indexAt, componentCount, 4, "name index");
  r.CheckTable(r.stringsOffset_, r.stringsSize_, 1, "string pool");
  r.CheckTable(dataAt, dataSize, 1, "picture data");

  s.properties_.reserve(propertyCount);
  for (std::uint32_t i = 0; i < propertyCount; ++i) {
    const std::size_t at = propertiesAt + std::size_t{i} * store::kPropertyRecord;
    const std::string_view key = r.String(r.U32(at), r.U32(at + 4), "a property key");
    const std::string_view value = r.String(r.U32(at + 8), r.U32(at + 12), "a property value");
    if (key.empty()) r.Fail("property " + std::to_string(i) + " has no key");
    s.properties_.push_back({key, value});
  }

  s.pictures_.reserve(pictureCount);
  for (std::uint32_t i = 0; i < pictureCount; ++i) {
    const std::size_t at = picturesAt + std::size_t{i} * store::kPictureRecord;
    StoredPicture p;
    p.component = r.U32(at);
    const std::uint32_t slot = r.U32(at + 4);
    const std::uint32_t encoding = r.U32(at + 8);
    const std::uint32_t width = r.U32(at + 12), height = r.U32(at + 16), depth = r.U32(at + 20);
    p.offset = r.U32(at + 24);
    const std::uint32_t length = r.U32(at + 28);
    const std::uint32_t packedLength = r.U32(at + 32), rowBytes = r.U32(at + 36);
    const std::string which = "picture " + std::to_string(i);
    if (slot >= store::kSlotNames.size()) r.Fail(which + " has an unknown slot");
    p.slot = store::kSlotNames[slot];
    if (p.offset < dataAt || static_cast<std::uint64_t>(p.offset) + length + packedLength >
                                 static_cast<std::uint64_t>(dataAt) + dataSize)
      r.Fail(which + " lies outside the picture data");
    const auto data = bytes.subspan(p.offset, length);
    std::string reason;
    if (packedLength != 0 && encoding != store::kEncodingBitmap)
      reason = "only bitmaps have packed rows";
    else if (packedLength != 0 && (rowBytes == 0 || rowBytes > store::kMaxRowBytes))
      reason = "its packed rows state " + std::to_string(rowBytes) + " bytes";
    else if (packedLength == 0 && rowBytes != 0)
      reason = "unpacked rows without packed ones";
    else if (encoding == store::kEncodingBitmap)
      reason = CheckBitmap(data, p.graphic, nullptr, rowBytes);
    else if (encoding == store::kEncodingJpeg)
      reason = CheckJpeg(data, p.graphic);
    else
      reason = "unknown encoding";
    if (!reason.empty()) r.Fail(which + ": " + reason);
    if (packedLength != 0) {
      p.graphic.packedRows = bytes.subspan(std::size_t{p.offset} + length, packedLength);
      p.graphic.rowBytes = rowBytes;
    }
    if (static_cast<std::uint32_t>(p.graphic.width) != width ||
        static_cast<std::uint32_t>(p.graphic.height) != height ||
        static_cast<std::uint32_t>(p.graphic.depth) != depth)
      r.Fail(which + " is " + std::to_string(p.graphic.width) + "x" +
             std::to_string(p.graphic.height) + " but its record says " + std::to_string(width) +
             "x" + std::to_string(height));
    s.pictures_.push_back(p);
  }

  s.components_.reserve(componentCount);
  std::uint64_t nextProperty = 0, nextPicture = 0;
  for (std::uint32_t i = 0; i < componentCount; ++i) {
    const std::size_t at = componentsAt + std::size_t{i} * store::kComponentRecord;
    const std::string which = "component " + std::to_string(i);
    StoredComponent c;
    c.name = r.String(r.U32(at), r.U32(at + 4), "a component name");
    c.className = r.String(r.U32(at + 8), r.U32(at + 12), "a class name");
    if (c.name.empty() || c.className.empty()) r.Fail(which + " has no name or class");
    const std::uint32_t parent = r.U32(at + 16);
    if (i == 0 ? parent != store::kNoParent : parent >= i) r.Fail(which + " has a bad parent");
    c.parent = parent == store::kNoParent ? -1 : static_cast<std::int64_t>(parent);
    const std::uint32_t firstProperty = r.U32(at + 20), properties = r.U32(at + 24);
    const std::uint32_t firstPicture = r.U32(at + 28), pictures = r.U32(at + 32);
    if (firstProperty != nextProperty || nextProperty + properties > propertyCount)
      r.Fail(which + " has a bad property range");
    if (firstPicture != nextPicture || nextPicture + pictures > pictureCount)
      r.Fail(which + " has a bad picture range");
    nextProperty += properties;
    nextPicture += pictures;
    c.properties =
        std::span<const StoredProperty>(s.properties_).subspan(firstProperty, properties);
    c.pictures = std::span<const StoredPicture>(s.pictures_).subspan(firstPicture, pictures);
    for (const StoredPicture& p : c.pictures)
      if (p.component != i) r.Fail(which + " holds a picture of another component");
    s.components_.push_back(c);
  }
  if (nextProperty != propertyCount) r.Fail("properties belong to no component");
  if (nextPicture != pictureCount) r.Fail("pictures belong to no component");

  // Slots of one component in increasing order, each at most once.
  for (const StoredComponent& c : s.components_) {
    for (std::size_t k = 1; k < c.pictures.size(); ++k) {
      const auto slotIndex = [](std::string_view slot) {
        return std::find(store::kSlotNames.begin(), store::kSlotNames.end(), slot) -
               store::kSlotNames.begin();
      };
      if (slotIndex(c.pictures[k].slot) <= slotIndex(c.pictures[k - 1].slot))
        r.Fail("component " + std::string(c.name) + " has its slots out of order");
    }
  }

  s.index_.reserve(componentCount);
  std::vector<bool> seen(componentCount, false);
  for (std::uint32_t i = 0; i < componentCount; ++i) {
    const std::uint32_t entry = r.U32(indexAt + std::size_t{i} * 4);
    if (entry >= componentCount || seen[entry]) r.Fail("name index is not a permutation");
    seen[entry] = true;
    if (i > 0 && CompareNamesIgnoringCase(s.components_[s.index_.back()].name,
                                          s.components_[entry].name) >= 0)
      r.Fail("name index out of order or names repeated");
    s.index_.push_back(entry);
  }
  return s;
}

const StoredComponent* PictureStore::Find(std::string_view name) const {
  auto it = std::lower_bound(index_.begin(), index_.end(), name,
                             [this](std::uint32_t entry, std::string_view wanted) {
                               return CompareNamesIgnoringCase(components_[entry].name, wanted) < 0;
                             });
  if (it == index_.end() || CompareNamesIgnoringCase(components_[*it].name, name) != 0)
    return nullptr;
  return &components_[*it];
}

const StoredPicture* PictureStore::FindPicture(std::string_view component,
                                               std::string_view slot) const {
  const StoredComponent* c = Find(component);
  if (c == nullptr) return nullptr;
  for (const StoredPicture& p : c->pictures)
    if (platform::EqualsIgnoreAsciiCase(p.slot, slot)) return &p;
  return nullptr;
}

}  // namespace varnel
