#include "app/Project1.h"

int main(int argc, char* argv[]) {
    return zv::app::Project1(argc, argv);
}
