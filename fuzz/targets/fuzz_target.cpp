#include "fuzz/targets/fuzz_target.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <typeinfo>

#include "support/exception.h"

namespace nerim::fuzz {
namespace {

bool failureThrows = false;

// The folder of ScratchPath: in memory when the system offers it, as the targets write a file
// for every input.
class TScratchFolder {
public:
    TScratchFolder() {
        std::error_code error;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, error)) base = std::filesystem::temp_directory_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            auto candidate = base / ("nerim-fuzz-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error)) path_ = candidate;
        }
        if (path_.empty()) Fail("No se puede crear una carpeta temporal en " + base.string());
    }
    ~TScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace

const std::vector<TFuzzTarget>& FuzzTargets() {
    static const std::vector<TFuzzTarget> targets{
        {"project", &RunProjectFile},
        {"mesh_parameters", &RunMeshParameters},
        {"token_file", &RunTokenFile},
        {"typed_array", &RunTypedArray},
        {"configuration", &RunConfiguration},
        {"strings_text", &RunStringsText},
        {"strings_xml", &RunStringsXml},
        {"translation_text", &RunTranslationText},
        {"translation_xml", &RunTranslationXml},
        {"results", &RunResultsFile},
    };
    return targets;
}

const TFuzzTarget* FindFuzzTarget(std::string_view name) {
    for (const TFuzzTarget& target : FuzzTargets())
        if (name == target.Name) return &target;
    return nullptr;
}

void SetFailureThrows(bool throws) { failureThrows = throws; }

void Fail(const std::string& message) {
    if (failureThrows) throw EFuzzFailure(message);
    std::fprintf(stderr, "\n*** %s\n", message.c_str());
    std::fflush(stderr);
    std::abort();
}

void Check(bool condition, const std::string& message) {
    if (!condition) Fail(message);
}

bool Accepts(const std::function<void()>& reader) {
    try {
        reader();
        return true;
    } catch (const EFuzzFailure&) {
        throw;
    } catch (const Exception&) {
        return false;
    } catch (const std::exception& e) {
        Fail(std::string("Excepción que no deriva de nerim::Exception (") + typeid(e).name() + "): " + e.what());
    } catch (...) {
        Fail("Excepción desconocida");
    }
}

void MustSucceed(const std::string& what, const std::function<void()>& step) {
    try {
        step();
    } catch (const EFuzzFailure&) {
        throw;
    } catch (const std::exception& e) {
        Fail(what + ": " + typeid(e).name() + ": " + e.what());
    } catch (...) {
        Fail(what + ": excepción desconocida");
    }
}

std::filesystem::path ScratchPath(const std::string& name) {
    static const TScratchFolder folder;
    return folder.Path() / name;
}

std::filesystem::path ScratchFile(const std::string& name, std::string_view bytes) {
    std::filesystem::path path = ScratchPath(name);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) Fail("No se puede escribir " + path.string());
    return path;
}

std::string Printable(std::string_view bytes, std::size_t limit) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size() && i < limit; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 0xF];
        }
    }
    if (bytes.size() > limit) out += "...";
    return out;
}

}  // namespace nerim::fuzz
