#pragma once

#include <QLatin1StringView>

namespace torbex::app {

// Where each control of the windows stands, in twips within its parent, and the colour
// behind it (0xRRGGBB, or kNoColour for the style's own), as the window was first drawn.
// Kept as a table so that the layout reads in one place and the code that builds the window
// carries no numbers of its own.
inline constexpr int kNoColour = -1;

struct ControlPlace {
    QLatin1StringView name;
    int left, top, width, height;
    int background = kNoColour;
};

inline constexpr ControlPlace kControlPlaces[] = {
    // On the window
    {QLatin1StringView("cmdMode(0)"), 120, 120, 1692, 852, 0xC0FFC0},
    {QLatin1StringView("cmdMode(1)"), 1800, 120, 1692, 852, 0xFFE0C0},
    {QLatin1StringView("cmdMode(2)"), 8400, 120, 1692, 852, 0xFFFFC0},
    {QLatin1StringView("Frame2"), 3720, 360, 4452, 612, 0xE0E0E0},
    {QLatin1StringView("lblSN"), 240, 240, 3972, 252},
    {QLatin1StringView("Label1"), 11760, 0, 1464, 384},
    {QLatin1StringView("Label2"), 6840, 5280, 2350, 250, 0xE0E0E0},
    {QLatin1StringView("Frame3(0)"), 120, 1080, 14292, 9132, 0xC0FFC0},
    {QLatin1StringView("Frame3(1)"), 120, 1080, 14292, 9132, 0xFFE0C0},
    {QLatin1StringView("Frame3(2)"), 120, 1080, 14292, 9132, 0xC0C0FF},

    // Data page
    {QLatin1StringView("Label6(1)"), 240, 240, 13812, 372, 0x00C040},
    {QLatin1StringView("Grid1"), 240, 960, 13812, 612},
    {QLatin1StringView("Grid2"), 240, 1560, 13812, 5052},
    {QLatin1StringView("Command1(0)"), 240, 7800, 1695, 612, 0x00E090},
    {QLatin1StringView("Command1(1)"), 2040, 7800, 1695, 612},
    {QLatin1StringView("Command1(2)"), 3840, 7800, 1695, 612, 0xFFA0A0},
    {QLatin1StringView("Command1(3)"), 5640, 7800, 1695, 612},
    {QLatin1StringView("Command1(9)"), 11880, 7800, 1695, 612, 0xC0C0FF},
    {QLatin1StringView("List2"), 7920, 7920, 855, 228},
    {QLatin1StringView("Label5"), 8760, 7920, 1332, 252, 0xC0FFC0},
    {QLatin1StringView("Label4"), 10200, 7920, 1332, 372, 0xE0E0E0},
    // In the free band between the grid and the row of buttons, right-aligned with the exit button.
    {QLatin1StringView("cmdHistory"), 11880, 7080, 1695, 480, 0xE0F0FF},
    {QLatin1StringView("cmdReport"), 10080, 7080, 1695, 480, 0xE0F0FF},

    // Settings page
    {QLatin1StringView("Label6(0)"), 240, 240, 13812, 372, 0xFF8000},
    {QLatin1StringView("Frame1"), 360, 960, 13452, 3132, 0xFFFFC0},
    {QLatin1StringView("Label3(0)"), 360, 600, 1692, 252},
    {QLatin1StringView("Text2(0)"), 2820, 600, 1464, 315},
    {QLatin1StringView("Label3(9)"), 360, 1080, 1932, 252},
    {QLatin1StringView("Text2(3)"), 2820, 1080, 1464, 330},
    {QLatin1StringView("Combo1"), 4320, 1080, 735, 324},
    {QLatin1StringView("Label3(1)"), 360, 1680, 2292, 492},
    {QLatin1StringView("Combo2"), 2880, 1680, 2052, 324},
    {QLatin1StringView("Label3(2)"), 360, 2400, 1872, 252},
    {QLatin1StringView("Combo3"), 2880, 2400, 2052, 324},
    {QLatin1StringView("Label3(3)"), 6240, 600, 1812, 252},
    {QLatin1StringView("Combo4"), 8400, 600, 1812, 324},
    {QLatin1StringView("Label3(4)"), 6240, 1080, 2112, 252},
    {QLatin1StringView("Combo5"), 8400, 1080, 1812, 324},
    {QLatin1StringView("Command5(1)"), 11400, 480, 1695, 615, 0xFFC080},
    {QLatin1StringView("Command5(0)"), 11400, 1320, 1695, 615, 0xFFC080},
    {QLatin1StringView("Label3(10)"), 360, 4680, 4212, 252},
    {QLatin1StringView("Label3(11)"), 4680, 4680, 1452, 372},
    {QLatin1StringView("Label6(2)"), 240, 5040, 13812, 372, 0xFF8000},
    {QLatin1StringView("Command3(0)"), 360, 5640, 1935, 615, 0xFFC080},
    {QLatin1StringView("Command3(1)"), 2400, 5640, 1935, 615, 0xFFC080},
    {QLatin1StringView("Line1"), 360, 7440, 13560, 15},
    {QLatin1StringView("Command2"), 360, 7800, 1935, 615, 0xFFC080},
    {QLatin1StringView("Command10"), 11880, 7800, 1695, 615, 0xFFC080},

    // Factory page
    {QLatin1StringView("Label6(4)"), 240, 240, 13812, 372, 0xFFFFC0},
    {QLatin1StringView("Frame5"), 360, 960, 13452, 3444, 0xFFFFC0},
    {QLatin1StringView("Label3(22)"), 240, 360, 1452, 252},
    {QLatin1StringView("txtHeisoku(0)"), 2280, 360, 1812, 270},
    {QLatin1StringView("Label3(23)"), 240, 840, 1452, 252},
    {QLatin1StringView("txtHeisoku(1)"), 2280, 840, 1812, 270},
    {QLatin1StringView("Label3(21)"), 240, 1320, 1452, 252},
    {QLatin1StringView("txtHeisoku(2)"), 2280, 1320, 1812, 270},
    {QLatin1StringView("Label3(5)"), 6120, 360, 1452, 252},
    {QLatin1StringView("txtSerial"), 7800, 360, 1812, 270},
    {QLatin1StringView("Command6(0)"), 11400, 240, 1695, 615, 0xFF8080},
    {QLatin1StringView("Command6(1)"), 11400, 960, 1695, 615, 0xFF8080},
    {QLatin1StringView("Label6(3)"), 240, 5040, 13812, 372, 0xFF8000},
    {QLatin1StringView("Command3(2)"), 360, 5640, 1935, 615, 0xFFC080},
    {QLatin1StringView("Line2"), 360, 7440, 13560, 15},
    {QLatin1StringView("Command4"), 11880, 7800, 1695, 615, 0xFFC080},
};

// The management number editor (frmEdit), 5484 by 2940.
inline constexpr int kEditorWidth = 5484, kEditorHeight = 2940;
inline constexpr ControlPlace kEditorPlaces[] = {
    {QLatin1StringView("lblEdit(0)"), 480, 480, 2172, 252},
    {QLatin1StringView("txtEdit(0)"), 3000, 480, 2052, 375},
    {QLatin1StringView("lblEdit(1)"), 600, 1320, 4452, 492},
    {QLatin1StringView("CmdEdit(0)"), 1560, 2040, 1575, 492},
    {QLatin1StringView("CmdEdit(1)"), 3480, 2040, 1575, 492},
};

}  // namespace torbex::app
