#include "app/startup.h"

int main() {
    return ambrelix::Main();
}
