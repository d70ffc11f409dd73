#include "app/startup.h"
#include "rt/runtimeinit.h"

int main(int argc, char** argv) {
    rt::RuntimeInit runtime(argc, argv, "Ambrelix");
    return ambrelix::Main();
}
