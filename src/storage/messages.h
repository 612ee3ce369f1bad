// Where the portable code shows a message to the operator. On Windows this is
// a message box owned by a window; in tests it is a recorder. A null
// MessageSink* means "no owner": nothing is shown.
#pragma once

#include <string_view>

namespace airvane {

// Message-box styles the program uses, and the answers it reads back.
enum MessageStyle : unsigned {
    kMsgOk = 0,
    kMsgOkCancel = 1,
    kMsgYesNoCancel = 3,
    kMsgOkCancelStop = 17,
};
enum MessageAnswer : int { kAnswerOk = 1, kAnswerCancel = 2, kAnswerYes = 6, kAnswerNo = 7 };

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual int showMessage(std::string_view text, unsigned style) = 0;
};

// The style actually passed to the message box: an exclamation icon unless
// the caller chose an icon, and always task-modal.
unsigned messageBoxStyle(unsigned style);

}  // namespace airvane
