// The makers of the steps of start-up, the main window's controls, what the window shows and the case's
// line server.
#include "tests/e2e/e2e_steps.h"

#include "tests/e2e/step_maker.h"

Step ExpectMessageBox(const std::string& caption, const std::string& text, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::ExpectMessageBox, 0, 0, text, writtenAt);
    step.caption = caption;
    return step;
}

Step ExpectMessageBoxHolding(const std::string& caption, const std::string& part, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::ExpectMessageBoxHolding, 0, 0, part, writtenAt);
    step.caption = caption;
    return step;
}

Step ExpectNoMessageBox(SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectNoMessageBox, 0, 0, "", writtenAt);
}

Step ExpectMainWindowShown(SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectMainWindowShown, 0, 0, "", writtenAt);
}

Step ExpectShownWithin(long milliseconds, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectShownWithin, 0, milliseconds, "", writtenAt);
}

Step ExpectMainWindowNeverShown(SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectMainWindowNeverShown, 0, 0, "", writtenAt);
}

Step ExpectTitle(const std::string& title, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectTitle, 0, 0, title, writtenAt);
}

Step ExpectControlText(int control, const std::string& text, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectControlText, control, 0, text, writtenAt);
}

Step ExpectControlValue(int control, long low, long high, const std::string& unit, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::ExpectControlValue, control, low, unit, writtenAt);
    step.extra = high;
    return step;
}

Step ExpectHexControlText(int control, int digits, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectHexControlText, control, digits, "", writtenAt);
}

Step ExpectCheckState(int control, int state, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectCheckState, control, state, "", writtenAt);
}

Step ExpectLayoutNames(const std::vector<std::string>& names, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::ExpectLayoutNames, 0, 0, "", writtenAt);
    step.names = names;
    return step;
}

Step ExpectLayoutCount(int count, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectLayoutCount, 0, count, "", writtenAt);
}

Step ExpectSelectedIndex(int index, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectSelectedIndex, 0, index, "", writtenAt);
}

Step ExpectSelectedLayout(const std::string& name, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectSelectedLayout, 0, 0, name, writtenAt);
}

Step ExpectAppCommandAnswered(SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectAppCommandAnswered, 0, 0, "", writtenAt);
}

Step CloseMainWindow(SourcePlace writtenAt) {
    return MakeStep(StepKind::CloseMainWindow, 0, 0, "", writtenAt);
}

Step ExpectExit(int exitCode, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectExit, 0, exitCode, "", writtenAt);
}

Step ExpectPanelColour(long colour, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectPanelColour, 0, colour, "", writtenAt);
}

Step ExpectPictureColour(long colour, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectPictureColour, 0, colour, "", writtenAt);
}

Step ExpectButtonRow(int slots, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectButtonRow, 0, slots, "", writtenAt);
}

Step ExpectKeyOverlay(const PictureRect& area, long colour, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::ExpectKeyOverlay, 0, colour, "", writtenAt);
    step.area = area;
    return step;
}

Step ExpectKeyPlain(const PictureRect& area, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::ExpectKeyPlain, 0, kPictureColour, "", writtenAt);
    step.area = area;
    return step;
}

Step ExpectOverlayOnTop(const PictureRect& area, long topColour, long hiddenColour, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::ExpectOverlayOnTop, 0, topColour, "", writtenAt);
    step.extra = hiddenColour;
    step.area = area;
    return step;
}

std::vector<Step> JoinSteps(std::vector<Step> head, const std::vector<Step>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

std::vector<Step> MarkWritten(std::vector<Step> steps, SourcePlace writtenAt) {
    for (Step& step : steps) {
        step.writtenAt = writtenAt;
    }
    return steps;
}

Step StartLine(SourcePlace writtenAt) {
    return MakeStep(StepKind::StartLine, 0, 0, "", writtenAt);
}

Step StopLine(SourcePlace writtenAt) {
    return MakeStep(StepKind::StopLine, 0, 0, "", writtenAt);
}

Step ExpectLineRecords(const std::string& recordFile, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectLineRecords, 0, 0, recordFile, writtenAt);
}

Step RestartTester(SourcePlace writtenAt) {
    return MakeStep(StepKind::RestartTester, 0, 0, "", writtenAt);
}
