// The makers of the steps of start-up, the main window's controls and what the window shows.
#include "tests/e2e/e2e_steps.h"

#include "tests/e2e/step_maker.h"

Step ExpectMessageBox(const std::string& caption, const std::string& text) {
    Step step = MakeStep(StepKind::ExpectMessageBox, 0, 0, text);
    step.caption = caption;
    return step;
}

Step ExpectNoMessageBox() {
    return MakeStep(StepKind::ExpectNoMessageBox, 0, 0, "");
}

Step ExpectMainWindowShown() {
    return MakeStep(StepKind::ExpectMainWindowShown, 0, 0, "");
}

Step ExpectShownWithin(long milliseconds) {
    return MakeStep(StepKind::ExpectShownWithin, 0, milliseconds, "");
}

Step ExpectMainWindowNeverShown() {
    return MakeStep(StepKind::ExpectMainWindowNeverShown, 0, 0, "");
}

Step ExpectTitle(const std::string& title) {
    return MakeStep(StepKind::ExpectTitle, 0, 0, title);
}

Step ExpectControlText(int control, const std::string& text) {
    return MakeStep(StepKind::ExpectControlText, control, 0, text);
}

Step ExpectControlValue(int control, long low, long high, const std::string& unit) {
    Step step = MakeStep(StepKind::ExpectControlValue, control, low, unit);
    step.extra = high;
    return step;
}

Step ExpectHexControlText(int control, int digits) {
    return MakeStep(StepKind::ExpectHexControlText, control, digits, "");
}

Step ExpectCheckState(int control, int state) {
    return MakeStep(StepKind::ExpectCheckState, control, state, "");
}

Step ExpectLayoutNames(const std::vector<std::string>& names) {
    Step step = MakeStep(StepKind::ExpectLayoutNames, 0, 0, "");
    step.names = names;
    return step;
}

Step ExpectLayoutCount(int count) {
    return MakeStep(StepKind::ExpectLayoutCount, 0, count, "");
}

Step ExpectSelectedIndex(int index) {
    return MakeStep(StepKind::ExpectSelectedIndex, 0, index, "");
}

Step ExpectSelectedLayout(const std::string& name) {
    return MakeStep(StepKind::ExpectSelectedLayout, 0, 0, name);
}

Step ExpectAppCommandAnswered() {
    return MakeStep(StepKind::ExpectAppCommandAnswered, 0, 0, "");
}

Step CloseMainWindow() {
    return MakeStep(StepKind::CloseMainWindow, 0, 0, "");
}

Step ExpectExit(int exitCode) {
    return MakeStep(StepKind::ExpectExit, 0, exitCode, "");
}

Step ExpectPictureColour(long colour) {
    return MakeStep(StepKind::ExpectPictureColour, 0, colour, "");
}

Step ExpectButtonRow(int slots) {
    return MakeStep(StepKind::ExpectButtonRow, 0, slots, "");
}

Step ExpectKeyOverlay(const PictureRect& area, long colour) {
    Step step = MakeStep(StepKind::ExpectKeyOverlay, 0, colour, "");
    step.area = area;
    return step;
}

Step ExpectKeyPlain(const PictureRect& area) {
    Step step = MakeStep(StepKind::ExpectKeyPlain, 0, kPictureColour, "");
    step.area = area;
    return step;
}

Step ExpectOverlayOnTop(const PictureRect& area, long topColour, long hiddenColour) {
    Step step = MakeStep(StepKind::ExpectOverlayOnTop, 0, topColour, "");
    step.extra = hiddenColour;
    step.area = area;
    return step;
}

std::vector<Step> JoinSteps(std::vector<Step> head, const std::vector<Step>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}
