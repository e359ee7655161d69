#include "console/process.hpp"

// Command-line arguments are ignored.
int main() {
    euro_umrechner::runDialog();
    return euro_umrechner::exitStatus();
}
