// The connection record and the connection list file connect.inf.
//
// User and service names are upper-cased as Oracle names are; the password
// keeps the case it was typed in (Oracle passwords are case-sensitive), and a
// service text that names a dictionary snapshot file is a path and keeps its
// case too.
#pragma once

#include <string>
#include <vector>

namespace tabulorix {

// One login: display name, user, password, server and a spare fifth string.
struct MGUserInfo {
    std::string displayName;
    std::string userName;
    std::string password;
    // An Oracle service name, Host(IP):Port:SID, or a snapshot file path.
    std::string server;
    std::string extra;
};

// ASCII letters in upper case; everything else unchanged.
std::string UpperCaseName(const std::string& text);

// The server text as it is used: upper case, except a snapshot file path.
std::string NormalizeServer(const std::string& server);

// The record of a login typed into the connection dialog: user and server
// normalised as above, the password as typed, display name
// user + " @ " + server, fifth string empty.
MGUserInfo MakeUserInfo(const std::string& user, const std::string& password, const std::string& server);

// Splits a connect.inf line into five tokens at blanks: each token is the
// text before the next blank, trimmed; the last one present takes the whole
// trimmed rest; missing tokens are empty.
std::vector<std::string> TokenizeConnectLine(const std::string& line);

// The records of a connect.inf file in file order: tokens display name, user,
// password, server, fifth string; user and server normalised as above, the
// password as written. A missing or unreadable file gives no records.
std::vector<MGUserInfo> ReadConnectInf(const std::string& path = "connect.inf");

}  // namespace tabulorix
