#include "cli/handed_over_main.h"
#include "cli/upload/upload_command.h"

// folix-upload: `folix upload` handed over to a program of its own, so that libcurl and the
// TLS, SSH and Kerberos libraries behind it are loaded by this command alone and every other
// command starts without them. Its arguments are those after `upload`.
int main(int argc, char** argv) {
    return folix::RunHandedOverCommand(argc, argv, folix::RunUpload);
}
