#pragma once

#include <string>

namespace folix {

class FtpClient;
class Ui;

inline constexpr char kConnectionResetMessage[] =
    "接続がリセットされました。接続してやり直してください。";
// Shown for a server refusal whose reply text could not be had.
inline constexpr char kNoReplyTextMessage[] = "ERROR_INTERNET_EXTENDED_ERROR";
inline constexpr char kCannotConnectMessage[] =
    "An exception occurred when attempting to create an FTP connection.\r\n"
    "  Please check your internet configuration and make sure your environment\r\n"
    " is set up with libcurl in the path.";

// Tells the writer why a transfer or a removal failed: a server's refusal in the server's own
// words, a dropped connection with the advice to connect again, a local file that cannot be read
// by its path, anything else in the system's words in the notice window.
void ReportFtpError(Ui& ui, const FtpClient& client);

// The text shown when connecting failed: the server's reply when it refused (a wrong password),
// otherwise the system's description, and a general message only when there is neither.
std::string ConnectFailureText(const FtpClient& client);

}  // namespace folix
