// Message sequences: what watched windows receive, logged in order and compared
// with a table of expected entries. Messages sent and posted to a control, what
// its parent gets, WM_NOTIFY and WM_COMMAND with their codes all go into one log.
// For the test's own thread only.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvtest {

enum MsgFlags : unsigned {
    kSent = 0x01,      // sent to the window (SendMessage, or called by the system)
    kPosted = 0x02,    // taken from the queue: posted, or WM_PAINT and WM_TIMER;
                       // an expected row with neither takes both
    kParent = 0x04,    // arrived at a parent window, not at the control
    kWParam = 0x08,    // expected entries: wParam is checked
    kLParam = 0x10,    // lParam is checked
    kCode = 0x20,      // the notification code is checked
    kDetail = 0x40,    // the detail text is checked
    kOptional = 0x80,  // may be missing from the log
    kNotify = kParent | kSent | kCode,  // a notification at the parent, by its code
};

// One row of an expected sequence. code is the NMHDR code of WM_NOTIFY or the
// high word of WM_COMMAND's wParam.
struct ExpectedMsg {
    UINT message;
    unsigned flags;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT code = 0;
    std::string detail = "";
};

// One logged message: kSent or kPosted, and kParent for a parent.
struct RecordedMsg {
    HWND hwnd;
    UINT message;
    unsigned flags;
    WPARAM wParam;
    LPARAM lParam;
    UINT code;         // WM_NOTIFY: NMHDR code; WM_COMMAND: notification code
    UINT_PTR idFrom;   // WM_NOTIFY: NMHDR idFrom; WM_COMMAND: control id
    HWND hwndFrom;     // WM_NOTIFY: NMHDR hwndFrom; WM_COMMAND: the control
    std::string detail;  // what the recording window procedure adds (decoded data)
};

class MsgRecorder {
public:
    MsgRecorder() = default;
    ~MsgRecorder();
    MsgRecorder(const MsgRecorder &) = delete;
    MsgRecorder &operator=(const MsgRecorder &) = delete;

    // Subclasses hwnd, in its own character set, and logs what it receives:
    // the listed messages, or without a list all but the frequent mouse, cursor
    // and hit-test ones. side is 0 for a control, kParent for a parent. From the
    // first call on, until the recorder goes, the log tells posted messages
    // from sent ones; before, every entry counts as sent.
    void Watch(HWND hwnd, std::vector<UINT> only = {}, unsigned side = 0);
    // Logs one message from a window procedure of the test's own; the entry is
    // returned so that the caller can add detail.
    RecordedMsg &Record(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, unsigned side = 0);

    const std::vector<RecordedMsg> &log() const { return log_; }
    void Flush() { log_.clear(); }
    // Compares the log with the expected rows, then flushes it. On a difference
    // the result lists both, marking where they part, under the context given.
    ::testing::AssertionResult Check(const std::vector<ExpectedMsg> &expected, const std::string &context);

private:
    std::vector<RecordedMsg> log_;
    bool watching_ = false;
};

// "WM_NOTIFY", "WM_USER+201", "0x0999"; notification codes the same way.
std::string MessageName(UINT message);
std::string NotifyCodeName(UINT code);

}  // namespace orvtest
