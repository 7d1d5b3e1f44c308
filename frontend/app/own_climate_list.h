// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QComboBox;

namespace varmkalk {

// Fills `box` with the own climate files of the working folder, each with its suggested design
// outdoor temperature as the entry's data, and keeps the text the user has typed in it.
void list_own_climate_files(QComboBox& box);

}  // namespace varmkalk
