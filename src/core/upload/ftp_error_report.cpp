#include "upload/ftp_error_report.h"

#include "book/system_error.h"
#include "platform/ftp_client.h"
#include "platform/ui.h"

namespace folix {

void ReportFtpError(Ui& ui, const FtpClient& client) {
    switch (client.LastErrorCode()) {
        case ftp_error::kServerReply: {
            const std::string reply = client.LastResponseText();
            ui.ShowMessage(reply.empty() ? kNoReplyTextMessage : reply);
            return;
        }
        case ftp_error::kConnectionReset:
            ui.ShowMessage(kConnectionResetMessage);
            return;
        case ftp_error::kLocalFile:
            // Our own file, not the server: named with the program's usual message.
            ShowCannotOpen(ui, client.LastErrorText(), client.LastSystemError());
            return;
        default:
            break;
    }
    const int error = client.LastSystemError();
    if (error == 0 || SystemErrorText(error).empty()) {
        const std::string text = client.LastErrorText();
        if (!text.empty()) {
            ui.ShowNotice(text);
            return;
        }
    }
    ShowLastError(ui, error != 0 ? error : client.LastErrorCode());
}

std::string ConnectFailureText(const FtpClient& client) {
    if (client.LastErrorCode() == ftp_error::kServerReply && !client.LastResponseText().empty()) {
        return client.LastResponseText();
    }
    std::string text = SystemErrorText(client.LastSystemError());
    if (text.empty()) {
        text = client.LastErrorText();
    }
    return text.empty() ? kCannotConnectMessage : text;
}

}  // namespace folix
