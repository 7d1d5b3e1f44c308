// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The object names of the windows' controls that keep the names of the program's first forms
// ("Command1", "Text5"): a control's name stays what it always was, so that the help, the tests
// and the screenshot tool find it, and it is written here once, under what it means. The names
// that already say what they are ("enstegeff", "hamtaindata") stay where the control is made.
namespace varmkalk::control {

// The start menu.
namespace menu {
inline constexpr char kBanner[] = "Shape1";
inline constexpr char kTitle[] = "Label2";
inline constexpr char kNewCalculation[] = "Command1";
inline constexpr char kRun[] = "Command2";
inline constexpr char kExit[] = "Command3";
inline constexpr char kProgramInfo[] = "Command4";
inline constexpr char kFurtherCalculation[] = "Command5";
inline constexpr char kCharts[] = "Command6";
inline constexpr char kResultHeading[] = "Label1";
inline constexpr char kResultText[] = "Text1";
}  // namespace menu

// The input form.
namespace input {
inline constexpr char kDone[] = "Command1";
inline constexpr char kBurnerHelp[] = "Command2";
inline constexpr char kHeatingSystemHelp[] = "Command3";
inline constexpr char kInputWordsHelp[] = "Command4";
inline constexpr char kStandbyHelp[] = "Command5";
inline constexpr char kFlueGasHelp[] = "Command6";
inline constexpr char kHeaterLoss[] = "Text5";
inline constexpr char kHeaterLossLabel[] = "Text5_label";
inline constexpr char kStandbySource[] = "Frame1";
inline constexpr char kMinReturnTemp[] = "Frame3";
}  // namespace input

// The question for the calculation's identity.
namespace identity {
inline constexpr char kHeading[] = "Label2";
inline constexpr char kOk[] = "Command1";
}  // namespace identity

// The question whether to keep the calculation's files.
namespace save_question {
inline constexpr char kQuestion[] = "Label1";
inline constexpr char kYes[] = "Command1";
inline constexpr char kNo[] = "Command2";
}  // namespace save_question

// The help dialogs of the input form, and their controls.
namespace help {
inline constexpr char kHotWaterDialog[] = "Form3";
inline constexpr char kFlueGasDialog[] = "Form1";
inline constexpr char kOwnTempsDialog[] = "Egnatemphjalp";
inline constexpr char kClose[] = "Command1";
inline constexpr char kText[] = "Text1";
inline constexpr char kPicture[] = "Picture1";
inline constexpr char kChart[] = "Picture2";
}  // namespace help

}  // namespace varmkalk::control
