// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace varmkalk::testing {

// Makes a folder read-only for the life of the object, in a way that holds for the user running
// the tests: its write permission removed, and where that does not stop this user (root writes
// anyway), the file system's immutable attribute. The folder is made writable again on
// destruction, so that it can be removed.
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(QString path);
  ~ReadOnlyFolder();
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

  // False when neither way stops this user from writing into the folder: the test must skip.
  bool holds() const { return holds_; }

 private:
  // True when a new file cannot be created in the folder.
  bool refuses_writing() const;

  QString path_;
  bool immutable_ = false;
  bool holds_ = false;
};

}  // namespace varmkalk::testing
