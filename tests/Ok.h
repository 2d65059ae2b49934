// A file-system call's Status as a test assertion: success, or a failure that names the error.
#pragma once

#include <gtest/gtest.h>

#include "platform/FileSystem.h"

namespace testing_support {

inline ::testing::AssertionResult Ok(const platform::Status& status) {
  if (status.ok()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "error " << static_cast<std::uint32_t>(status.code()) << ": " << status.text();
}

}  // namespace testing_support
