// Build tool: writes the empty thermo and reaction databases that the program copies when the
// user starts a new database, and an empty thermo database wherever one is asked for.
#include "store/Database.h"

#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    try {
        if (argc == 3 && std::string(argv[1]) == "--thermo") {
            const std::filesystem::path target = argv[2];
            std::filesystem::create_directories(target.parent_path());
            kinetra::store::createThermoTemplate(target);
            return 0;
        }
        if (argc != 2) {
            std::cerr << "usage: kinetra-make-templates OUTDIR\n"
                         "       kinetra-make-templates --thermo FILE\n";
            return 2;
        }
        const std::filesystem::path dir = argv[1];
        std::filesystem::create_directories(dir);
        kinetra::store::createThermoTemplate(dir / "EmptyThermo.mdb");
        kinetra::store::createReactionTemplate(dir / "EmptyReac.mdb");
    } catch (const std::exception& e) {
        std::cerr << "kinetra-make-templates: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
