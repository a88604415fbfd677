// The paint tool bar: the tools and commands of a paint control (command
// ids vx::pntcmd) and four drop-downs: eraser width, line width, foreground
// colour and transparency colour.
#pragma once

#include <QPointer>
#include <QToolBar>
#include <map>

#include "paint/PntCtrl.h"

class QAction;
class QComboBox;

class CPntToolBar : public QToolBar {
public:
    static constexpr int kBarId = 28133;
    explicit CPntToolBar(CPntCtrl* ctrl, QWidget* parent = nullptr);

    // Runs a bar command on the control, then refreshes the buttons.
    void RunCommand(int id);
    // Enabled and pressed states from the control.
    void UpdateButtons();
    QAction* action(int id) const;
    // The tool a command selects (0 for the other commands).
    static int ToolOfCommand(int id);
    static QString TextOfCommand(int id);
    QComboBox* eraserWidthBox() const { return eraser_; }
    QComboBox* lineWidthBox() const { return line_; }
    QComboBox* foregroundBox() const { return fore_; }
    QComboBox* transparencyBox() const { return trans_; }
    // The drop-downs sit on a second bar below the buttons, which the
    // dialog places (a row of both would not fit an editor's width).
    QToolBar* optionsBar() const { return options_; }

private:
    QPointer<CPntCtrl> ctrl_;
    std::map<int, QAction*> actions_;
    QComboBox* eraser_;
    QComboBox* line_;
    QComboBox* fore_;
    QComboBox* trans_;
    QToolBar* options_;
};
