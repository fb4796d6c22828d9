// The makers of the operator's actions, of the dialog steps and of the steps on files, lock keys, the process
// and speed.
#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/step_maker.h"

namespace {

Step MakeKeyStep(StepKind kind, const std::vector<KeyStroke>& keys) {
    Step step = MakeStep(kind, 0, 0, "");
    step.keys = keys;
    return step;
}

Step MakeMouseStep(StepKind kind, int button, int x, int y) {
    Step step = MakeStep(kind, 0, button, "");
    step.area = {x, y, 0, 0};
    return step;
}

Step MakeDialogStep(StepKind kind, const std::string& title, int control, long number,
                    const std::string& text) {
    Step step = MakeStep(kind, control, number, text);
    step.caption = title;
    return step;
}

}  // namespace

Step PressKey(const std::vector<KeyStroke>& keys) {
    return MakeKeyStep(StepKind::PressKey, keys);
}

Step ReleaseKey(const std::vector<KeyStroke>& keys) {
    return MakeKeyStep(StepKind::ReleaseKey, keys);
}

Step TypeKey(const std::vector<KeyStroke>& keys) {
    return MakeKeyStep(StepKind::TypeKey, keys);
}

Step PostKeyDown(const KeyStroke& key, int repeatCount) {
    Step step = MakeKeyStep(StepKind::PostKeyDown, {key});
    step.number = repeatCount;
    return step;
}

Step PressMouse(int button, int x, int y) {
    return MakeMouseStep(StepKind::PressMouse, button, x, y);
}

Step ReleaseMouse(int button, int x, int y) {
    return MakeMouseStep(StepKind::ReleaseMouse, button, x, y);
}

Step ClickControl(int control) {
    return MakeStep(StepKind::ClickControl, control, 0, "");
}

Step MouseOnControl(int control) {
    return MakeStep(StepKind::MouseOnControl, control, 0, "");
}

Step ChooseLayout(const std::string& name) {
    return MakeStep(StepKind::ChooseLayout, 0, 0, name);
}

Step SetClientSize(int width, int height) {
    Step step = MakeStep(StepKind::SetClientSize, 0, width, "");
    step.extra = height;
    return step;
}

Step RepaintWindow() {
    return MakeStep(StepKind::RepaintWindow, 0, 0, "");
}

Step Pause(int milliseconds) {
    return MakeStep(StepKind::Pause, 0, milliseconds, "");
}

Step ExpectDialog(const std::string& title) {
    return MakeDialogStep(StepKind::ExpectDialog, title, 0, 0, "");
}

Step ExpectNoDialog(const std::string& title) {
    return MakeDialogStep(StepKind::ExpectNoDialog, title, 0, 0, "");
}

Step ExpectDialogGone(const std::string& title) {
    return MakeDialogStep(StepKind::ExpectDialogGone, title, 0, 0, "");
}

Step SetDialogText(const std::string& title, int control, const std::string& text) {
    return MakeDialogStep(StepKind::SetDialogText, title, control, 0, text);
}

Step ClickDialogButton(const std::string& title, int control) {
    return MakeDialogStep(StepKind::ClickDialogButton, title, control, 0, "");
}

Step MouseOnDialogButton(const std::string& title, int control) {
    return MakeDialogStep(StepKind::MouseOnDialogButton, title, control, 0, "");
}

Step PressDialogKey(const std::string& title, const KeyStroke& key) {
    Step step = MakeDialogStep(StepKind::PressDialogKey, title, 0, 0, "");
    step.keys = {key};
    return step;
}

Step ExpectDialogText(const std::string& title, int control, const std::string& text) {
    return MakeDialogStep(StepKind::ExpectDialogText, title, control, 0, text);
}

Step ExpectDialogCheck(const std::string& title, int control, int state) {
    return MakeDialogStep(StepKind::ExpectDialogCheck, title, control, state, "");
}

Step ExpectDialogCentred(const std::string& title) {
    return MakeDialogStep(StepKind::ExpectDialogCentred, title, 0, 0, "");
}

Step ExpectLogFile(const std::string& name, const std::vector<std::string>& lines) {
    Step step = MakeStep(StepKind::ExpectLogFile, 0, 0, name);
    step.names = lines;
    return step;
}

Step ExpectLogLineCount(const std::string& name, const std::string& line, int count) {
    Step step = MakeStep(StepKind::ExpectLogLineCount, 0, count, name);
    step.caption = line;
    return step;
}

Step ExpectLogPrefixes(const std::string& name, const std::string& beginning, int count) {
    Step step = MakeStep(StepKind::ExpectLogPrefixes, 0, count, name);
    step.caption = beginning;
    return step;
}

Step ExpectNoFile(const std::string& name) {
    return MakeStep(StepKind::ExpectNoFile, 0, 0, name);
}

Step KillTester() {
    return MakeStep(StepKind::KillTester, 0, 0, "");
}

Step SetLock(int virtualKey, bool on) {
    return MakeStep(StepKind::SetLock, virtualKey, on ? 1 : 0, "");
}

Step ExpectLedBlinking() {
    return MakeStep(StepKind::ExpectLedBlinking, 0, 0, "");
}

Step ExpectLocks(bool capsLock, bool numLock, bool scrollLock) {
    return MakeStep(StepKind::ExpectLocks, 0, (capsLock ? 1 : 0) | (numLock ? 2 : 0) | (scrollLock ? 4 : 0),
                    "");
}

Step MeasureSpeed(int presses, const KeyStroke& first, const KeyStroke& second, const KeyStroke& last) {
    Step step = MakeKeyStep(StepKind::MeasureSpeed, {first, second, last});
    step.number = presses;
    return step;
}

Step Soak(long events, uint32_t seed, const std::vector<KeyStroke>& keys) {
    Step step = MakeKeyStep(StepKind::Soak, keys);
    step.number = events;
    step.extra = static_cast<long>(seed);
    return step;
}
