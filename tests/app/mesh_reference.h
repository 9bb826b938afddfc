#pragma once

// The mesh files the command-line mesher wrote for the example projects and the large flume
// before its output path was rewritten, kept as their sizes and hashes.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace nerim::testing {

inline const std::filesystem::path kSourceRoot = std::filesystem::path(NERIM_TEST_DATA) / ".." / ".." / "..";

struct TReferenceMesh {
    std::filesystem::path Project;  // in the repository
    std::size_t Size = 0;
    std::uint64_t Hash = 0;
};

inline std::vector<TReferenceMesh> ReferenceMeshes() {
    std::ifstream in(std::filesystem::path(NERIM_TEST_DATA) / "reference_meshes.txt");
    std::vector<TReferenceMesh> meshes;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string project, hash;
        TReferenceMesh mesh;
        fields >> project >> mesh.Size >> hash;
        mesh.Project = kSourceRoot / project;
        mesh.Hash = std::stoull(hash, nullptr, 16);
        meshes.push_back(mesh);
    }
    return meshes;
}

// 64-bit FNV-1a.
inline std::uint64_t HashBytes(const std::string& bytes) {
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

}  // namespace nerim::testing
