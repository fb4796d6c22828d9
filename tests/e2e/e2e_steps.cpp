// The makers of script steps, so that the case table reads as a list of expectations and actions.
#include "tests/e2e/e2e_case.h"

namespace {

Step MakeStep(StepKind kind, int control, long number, const std::string& text) {
    Step step{};
    step.kind = kind;
    step.control = control;
    step.number = number;
    step.text = text;
    return step;
}

}  // namespace

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

Step ExpectMainWindowNeverShown() {
    return MakeStep(StepKind::ExpectMainWindowNeverShown, 0, 0, "");
}

Step ExpectTitle(const std::string& title) {
    return MakeStep(StepKind::ExpectTitle, 0, 0, title);
}

Step ExpectControlText(int control, const std::string& text) {
    return MakeStep(StepKind::ExpectControlText, control, 0, text);
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

Step ExpectPictureColour(long colour) {
    return MakeStep(StepKind::ExpectPictureColour, 0, colour, "");
}

Step CloseMainWindow() {
    return MakeStep(StepKind::CloseMainWindow, 0, 0, "");
}

Step ExpectExit(int exitCode) {
    return MakeStep(StepKind::ExpectExit, 0, exitCode, "");
}

std::vector<Step> JoinSteps(std::vector<Step> head, const std::vector<Step>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}
