#pragma once

// Each screenshot file registers its renderer with QUENDRIX_REGISTER_SHOTS(function); main()
// runs every registered renderer with the output folder.

#include <QString>

#include <vector>

namespace shots {

using Renderer = void (*)(const QString& outDir);

struct Entry {
    const char* name;
    Renderer render;
};

inline std::vector<Entry>& registry() {
    static std::vector<Entry> entries;
    return entries;
}

struct Registrar {
    Registrar(const char* name, Renderer render) { registry().push_back({name, render}); }
};

} // namespace shots

#define QUENDRIX_REGISTER_SHOTS(function)                                                          \
    static const ::shots::Registrar function##Registrar_(#function, &function)
