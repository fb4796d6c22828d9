// The makers of the operator's actions, of the dialog steps and of the steps on files, lock keys, the process
// and speed.
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/step_maker.h"

namespace {

Step MakeKeyStep(StepKind kind, const std::vector<KeyStroke>& keys, SourcePlace writtenAt) {
    Step step = MakeStep(kind, 0, 0, "", writtenAt);
    step.keys = keys;
    return step;
}

Step MakeMouseStep(StepKind kind, int button, int x, int y, SourcePlace writtenAt) {
    Step step = MakeStep(kind, 0, button, "", writtenAt);
    step.area = {x, y, 0, 0};
    return step;
}

Step MakeDialogStep(StepKind kind, const std::string& title, int control, long number,
                    const std::string& text, SourcePlace writtenAt) {
    Step step = MakeStep(kind, control, number, text, writtenAt);
    step.caption = title;
    return step;
}

}  // namespace

Step PressKey(const std::vector<KeyStroke>& keys, SourcePlace writtenAt) {
    return MakeKeyStep(StepKind::PressKey, keys, writtenAt);
}

Step ReleaseKey(const std::vector<KeyStroke>& keys, SourcePlace writtenAt) {
    return MakeKeyStep(StepKind::ReleaseKey, keys, writtenAt);
}

Step TypeKey(const std::vector<KeyStroke>& keys, SourcePlace writtenAt) {
    return MakeKeyStep(StepKind::TypeKey, keys, writtenAt);
}

Step SendTimedKeys(const std::vector<KeyMove>& moves, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::SendTimedKeys, 0, 0, "", writtenAt);
    step.moves = moves;
    return step;
}

Step ExpectKeysElsewhere(const std::vector<KeyStroke>& keys, int boundMs, SourcePlace writtenAt) {
    Step step = MakeKeyStep(StepKind::ExpectKeysElsewhere, keys, writtenAt);
    step.number = boundMs;
    return step;
}

Step PostKeyDown(const KeyStroke& key, int repeatCount, SourcePlace writtenAt) {
    Step step = MakeKeyStep(StepKind::PostKeyDown, {key}, writtenAt);
    step.number = repeatCount;
    return step;
}

Step PressMouse(int button, int x, int y, SourcePlace writtenAt) {
    return MakeMouseStep(StepKind::PressMouse, button, x, y, writtenAt);
}

Step ReleaseMouse(int button, int x, int y, SourcePlace writtenAt) {
    return MakeMouseStep(StepKind::ReleaseMouse, button, x, y, writtenAt);
}

Step ClickControl(int control, SourcePlace writtenAt) {
    return MakeStep(StepKind::ClickControl, control, 0, "", writtenAt);
}

Step SendCommand(int control, SourcePlace writtenAt) {
    return MakeStep(StepKind::SendCommand, control, 0, "", writtenAt);
}

Step MouseOnControl(int control, SourcePlace writtenAt) {
    return MakeStep(StepKind::MouseOnControl, control, 0, "", writtenAt);
}

Step ChooseLayout(const std::string& name, SourcePlace writtenAt) {
    return MakeStep(StepKind::ChooseLayout, 0, 0, name, writtenAt);
}

Step SetClientSize(int width, int height, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::SetClientSize, 0, width, "", writtenAt);
    step.extra = height;
    return step;
}

Step RepaintWindow(SourcePlace writtenAt) {
    return MakeStep(StepKind::RepaintWindow, 0, 0, "", writtenAt);
}

Step Pause(int milliseconds, SourcePlace writtenAt) {
    return MakeStep(StepKind::Pause, 0, milliseconds, "", writtenAt);
}

Step ExpectSettled(SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectSettled, 0, 0, "", writtenAt);
}

Step ExpectDialog(const std::string& title, SourcePlace writtenAt) {
    return MakeDialogStep(StepKind::ExpectDialog, title, 0, 0, "", writtenAt);
}

Step ExpectNoDialog(const std::string& title, SourcePlace writtenAt) {
    return MakeDialogStep(StepKind::ExpectNoDialog, title, 0, 0, "", writtenAt);
}

Step ExpectDialogGone(const std::string& title, SourcePlace writtenAt) {
    return MakeDialogStep(StepKind::ExpectDialogGone, title, 0, 0, "", writtenAt);
}

Step SetDialogText(const std::string& title, int control, const std::string& text, SourcePlace writtenAt) {
    return MakeDialogStep(StepKind::SetDialogText, title, control, 0, text, writtenAt);
}

Step ClickDialogButton(const std::string& title, int control, SourcePlace writtenAt) {
    return MakeDialogStep(StepKind::ClickDialogButton, title, control, 0, "", writtenAt);
}

Step MouseOnDialogButton(const std::string& title, int control, SourcePlace writtenAt) {
    return MakeDialogStep(StepKind::MouseOnDialogButton, title, control, 0, "", writtenAt);
}

Step PressDialogKey(const std::string& title, const KeyStroke& key, SourcePlace writtenAt) {
    Step step = MakeDialogStep(StepKind::PressDialogKey, title, 0, 0, "", writtenAt);
    step.keys = {key};
    return step;
}

Step ExpectDialogText(const std::string& title, int control, const std::string& text, SourcePlace writtenAt) {
    return MakeDialogStep(StepKind::ExpectDialogText, title, control, 0, text, writtenAt);
}

Step ExpectDialogCheck(const std::string& title, int control, int state, SourcePlace writtenAt) {
    return MakeDialogStep(StepKind::ExpectDialogCheck, title, control, state, "", writtenAt);
}

Step ExpectDialogCentred(const std::string& title, SourcePlace writtenAt) {
    return MakeDialogStep(StepKind::ExpectDialogCentred, title, 0, 0, "", writtenAt);
}

Step ExpectLogFile(const std::string& name, const std::vector<std::string>& lines, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::ExpectLogFile, 0, 0, name, writtenAt);
    step.names = lines;
    return step;
}

Step ExpectLogLineCount(const std::string& name, const std::string& line, int count, SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::ExpectLogLineCount, 0, count, name, writtenAt);
    step.caption = line;
    return step;
}

Step ExpectLogPrefixes(const std::string& name, const std::string& beginning, int count,
                       SourcePlace writtenAt) {
    Step step = MakeStep(StepKind::ExpectLogPrefixes, 0, count, name, writtenAt);
    step.caption = beginning;
    return step;
}

Step ExpectNoFile(const std::string& name, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectNoFile, 0, 0, name, writtenAt);
}

Step KillTester(SourcePlace writtenAt) {
    return MakeStep(StepKind::KillTester, 0, 0, "", writtenAt);
}

Step SetLock(int virtualKey, bool on, SourcePlace writtenAt) {
    return MakeStep(StepKind::SetLock, virtualKey, on ? 1 : 0, "", writtenAt);
}

Step ExpectLedBlinking(SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectLedBlinking, 0, 0, "", writtenAt);
}

Step ExpectLocks(bool capsLock, bool numLock, bool scrollLock, SourcePlace writtenAt) {
    return MakeStep(StepKind::ExpectLocks, 0, (capsLock ? 1 : 0) | (numLock ? 2 : 0) | (scrollLock ? 4 : 0),
                    "", writtenAt);
}

Step MeasureSpeed(int presses, const KeyStroke& first, const KeyStroke& second, const KeyStroke& last,
                  SourcePlace writtenAt) {
    Step step = MakeKeyStep(StepKind::MeasureSpeed, {first, second, last}, writtenAt);
    step.number = presses;
    return step;
}

Step Soak(long events, uint32_t seed, const std::vector<KeyStroke>& keys, SourcePlace writtenAt) {
    Step step = MakeKeyStep(StepKind::Soak, keys, writtenAt);
    step.number = events;
    step.extra = static_cast<long>(seed);
    return step;
}
