// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/files/result_file.h"

#include <cerrno>

#include "core/files/platform.h"
#include "core/files/run_error.h"
#include "core/files/system_error_text.h"
#include "core/text/windows1252.h"

namespace varmkalk::core {

std::string shown_file_name(const std::string& name) {
  const std::string shown = shown_from_windows1252(name);
  return name.find(' ') == std::string::npos ? shown : "\"" + shown + "\"";
}

ResultFile::ResultFile(const std::filesystem::path& folder, std::string name)
    : name_(std::move(name)) {
  // Created exclusively: an existing file, or a link of that name, is never opened.
  const std::filesystem::path path = folder / platform::path_from_engine_name(name_);
  const int fd = platform::create_new(path);
  if (fd < 0) {
    const int error_number = errno;
    std::error_code ignored;
    if (error_number == EEXIST && std::filesystem::is_directory(path, ignored)) {
      throw RunError(shown_file_name(name_) +
                     ": det finns redan en mapp med det namnet; den rörs inte (ta bort den eller "
                     "välj en annan beräkningsidentitet)");
    }
    if (error_number == EEXIST) {
      throw RunError(shown_file_name(name_) +
                     ": filen finns redan; den skrivs inte över (ta bort den eller välj en annan "
                     "beräkningsidentitet)");
    }
    throw RunError(shown_file_name(name_) + ": filen kan inte skapas (" +
                   system_error_text(error_number) + ")");
  }
  file_.reset(platform::stream_of(fd, "wb"));
  if (!file_) {
    const int error_number = errno;
    platform::close(fd);
    throw RunError(shown_file_name(name_) + ": filen kan inte skapas (" +
                   system_error_text(error_number) + ")");
  }
}

void ResultFile::write(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_.get()) != bytes.size()) {
    fail(errno);
  }
}

void ResultFile::close() {
  const bool write_failed = std::ferror(file_.get()) != 0;
  const int close_result = std::fclose(file_.release());
  if (write_failed || close_result != 0) {
    fail(errno);
  }
}

void ResultFile::fail(int error_number) const {
  throw RunError(shown_file_name(name_) + ": skrivningen misslyckades (" +
                 system_error_text(error_number) + ")");
}

}  // namespace varmkalk::core
