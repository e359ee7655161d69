#include "dialog/dialog.hpp"

// Command-line arguments are ignored.
int main() {
    runDialog();
    return 0;
}
