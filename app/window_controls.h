#pragma once

#include <QColor>
#include <QRect>
#include <map>

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableView;
class QTableWidget;
class QWidget;

namespace torbex::app {

// Layout positions are in twips; 15 twips make a pixel at 96 dpi (Qt scales on larger screens).
QRect twips(int left, int top, int width, int height);
int twipsToPixels(int twips);
// Names a control and stands it where the layout puts a control of that name, on its colour.
void placeControl(QWidget* widget, const QString& name);
// Wraps a caption onto as many lines as its box's width needs, the box growing down to hold them.
void wrapWords(QLabel* label);

// Every control of the main window, by its name and index. Each widget's objectName is the
// control's name as written, "Command1(9)" or "Grid2", so tests and support staff can find it.
struct WindowControls {
    // On the window
    std::map<int, QPushButton*> cmdMode;
    QFrame* Frame2 = nullptr;
    QLabel* lblSN = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    std::map<int, QFrame*> Frame3;

    // Data page
    std::map<int, QLabel*> Label6;
    QTableWidget* Grid1 = nullptr;
    QTableView* Grid2 = nullptr;
    std::map<int, QPushButton*> Command1;
    QListWidget* List2 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label4 = nullptr;
    QPushButton* cmdHistory = nullptr;
    QPushButton* cmdReport = nullptr;

    // Settings page
    QGroupBox* Frame1 = nullptr;
    std::map<int, QLabel*> Label3;
    std::map<int, QLineEdit*> Text2;
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QComboBox* Combo3 = nullptr;
    QComboBox* Combo4 = nullptr;
    QComboBox* Combo5 = nullptr;
    std::map<int, QPushButton*> Command5;
    std::map<int, QPushButton*> Command3;
    QFrame* Line1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command10 = nullptr;

    // Factory page
    QGroupBox* Frame5 = nullptr;
    std::map<int, QLineEdit*> txtHeisoku;
    QLineEdit* txtSerial = nullptr;
    std::map<int, QPushButton*> Command6;
    QFrame* Line2 = nullptr;
    QPushButton* Command4 = nullptr;
};

// Builds the controls on `window` with their captions, colours, fonts and positions as the
// window shows them when it is loaded (before start-up hides what it hides).
WindowControls buildWindowControls(QWidget* window);

// Paints a label's or button's background.
void setBackground(QWidget* widget, const QColor& colour);

}  // namespace torbex::app
