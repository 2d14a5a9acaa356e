#include <clocale>

#include "gui/app/folix_app.h"

// The window program, which `folix` starts for a book file or for nothing at all.
int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    return folix::gui::RunGui(argc, argv);
}
