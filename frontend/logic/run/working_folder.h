// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <variant>

#include "frontend/logic/run/file_error.h"

namespace varmkalk {

// The folders the program knows of at its start.
struct StartFolders {
  QString current;    // where it was started
  QString home;       // the user's home folder as the environment's HOME gives it, maybe empty
  QString documents;  // the user's documents folder, found through HOME
};

// Where the program works and keeps its files: the folder named on its command line; else the
// folder it was started in, unless that is no sensible place for result files (the home folder
// itself, the root folder, or a folder the user cannot write), in which case a folder VARMKALK
// in the documents folder. A missing folder is created. Fails with a Swedish message naming the
// folder when it cannot be created or written, and naming HOME when the documents folder is needed
// but HOME is empty or names no folder.
std::variant<QString, FileError> choose_working_folder(const QStringList& arguments,
                                                       const StartFolders& start);

}  // namespace varmkalk
