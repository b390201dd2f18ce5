#pragma once

namespace torbex::app {

// The indices of the window's control arrays, by what each button does.
enum class Page { Data = 0, Settings = 1, Factory = 2 };                      // cmdMode
enum class DataButton { Load = 0, Clear = 1, Save = 2, Read = 3, Exit = 9 };  // Command1
enum class SettingsButton { Read = 0, Transfer = 1 };                         // Command5
enum class ModeButton { Normal = 0, Calibration = 1, ProgramRewrite = 2 };    // Command3
enum class FactoryButton { Read = 0, Write = 1 };                             // Command6
enum class EditButton { Confirm = 0, Cancel = 1 };                            // CmdEdit

}  // namespace torbex::app
