// The shared production steps and log lines.
#include "tests/e2e/production_steps.h"

#include "tests/e2e/e2e_steps.h"
#include "tests/e2e/log_compare.h"
#include "tests/e2e/tester_controls.h"

std::vector<Step> IdentifyRun(const std::string& logName, bool append, SourcePlace writtenAt) {
    std::vector<Step> steps = {ExpectDialog(kOperatorTitle),
                               SetDialogText(kOperatorTitle, IDC_OPERATOR_ID, kOperatorId),
                               SetDialogText(kOperatorTitle, IDC_PRODUCT_ID, kProductId),
                               SetDialogText(kOperatorTitle, IDC_BATCH_ID, kBatchId),
                               SetDialogText(kOperatorTitle, IDC_LOG_PATH, "{dir}\\" + logName)};
    if (append) {
        steps.push_back(ClickDialogButton(kOperatorTitle, IDC_APPEND_LOG));
        steps.push_back(ExpectDialogCheck(kOperatorTitle, IDC_APPEND_LOG, 1));
    }
    steps.push_back(ClickDialogButton(kOperatorTitle, IDC_CONTINUE));
    steps.push_back(ExpectDialogGone(kOperatorTitle));
    return MarkWritten(JoinSteps(steps, EnterSerial("SN1", "V1")), writtenAt);
}

std::vector<Step> EnterSerial(const std::string& serial, const std::string& version, SourcePlace writtenAt) {
    return MarkWritten({ExpectDialog(kSerialTitle), SetDialogText(kSerialTitle, IDC_SERIAL, serial),
                        SetDialogText(kSerialTitle, IDC_VERSION, version),
                        ClickDialogButton(kSerialTitle, IDC_CONTINUE), ExpectDialogGone(kSerialTitle)},
                       writtenAt);
}

std::vector<std::string> LogHeader(const std::string& layoutName) {
    return {"======== 开始运行新的检测 ========",
            "Dorvelquinta V2.2 build 1011,  Windows XP",
            kDateLine,
            std::string("操作标识: ") + kOperatorId,
            std::string("产品标识: ") + kProductId,
            std::string("批量标识: ") + kBatchId,
            "Loaded keyboard layout " + layoutName + ".kbl"};
}

std::vector<std::string> SerialLines(const std::string& serial, const std::string& version) {
    return {"序列号: " + serial, "版本号: " + version};
}

std::vector<std::string> JoinLines(std::vector<std::string> head, const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}
