#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/ui.h"

namespace folix::fuzz {

// A Ui that shows nothing and answers every question No, as a console without a terminal does.
class SilentUi : public Ui {
public:
    void ShowMessage(const std::string&) override {}
    bool AskYesNo(const std::string&) override { return false; }
    void ShowNotice(const std::string&) override {}
    void Beep() override {}
    std::unique_ptr<WaitCursor> BeginWait() override { return std::make_unique<WaitCursor>(); }
};

// One folder for the whole run, for targets whose code reads its input from a file.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern =
            std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/folix-fuzz-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        return pattern;
    }();
    return folder;
}

// Stops the run with a finding when a property of the code does not hold.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", what);
        std::abort();
    }
}

}  // namespace folix::fuzz
