#include "mesh/core/mesh_parameters.h"

#include <string>

#include "support/text_reader.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

void WriteSubZones(TextWriter& writer, const std::vector<TSubZone>& list) {
    writer.WriteIntegerLine(static_cast<long long>(list.size()));
    for (const TSubZone& zone : list) {
        writer.WriteRealLine(zone.Center);
        writer.WriteRealLine(zone.Division);
        writer.WriteIntegerLine(zone.NumDivL);
        writer.WriteIntegerLine(zone.NumDivR);
        writer.WriteRealLine(zone.MaxSep);
    }
}

// The integer is checked before its line is left, so that a failure names the line that holds it.
std::int32_t ReadCheckedIntegerLine(TextReader& reader, std::int32_t low, std::int32_t high, const char* what) {
    const std::int32_t value = reader.ReadInteger();
    if (value < low || value > high)
        reader.Fail(std::string(what) + " fuera de límites (" + std::to_string(value) + "; se esperaba de " +
                    std::to_string(low) + " a " + std::to_string(high) + ")");
    reader.SkipLine();
    return value;
}

std::vector<TSubZone> ReadSubZones(TextReader& reader, const char* what) {
    const std::int32_t count = ReadCheckedIntegerLine(reader, 0, kMaxSubZonesRead, what);
    // The count is only a claim of the file: room is made as the sub-zones are read.
    std::vector<TSubZone> list;
    for (std::int32_t i = 0; i < count; ++i) {
        TSubZone zone;
        zone.Center = reader.ReadRealLine();
        zone.Division = reader.ReadRealLine();
        zone.NumDivL = reader.ReadIntegerLine();
        zone.NumDivR = reader.ReadIntegerLine();
        zone.MaxSep = reader.ReadRealLine();
        list.push_back(zone);
    }
    return list;
}

std::uint8_t ReadByteLine(TextReader& reader, const char* what) {
    return static_cast<std::uint8_t>(ReadCheckedIntegerLine(reader, 0, 255, what));
}

}  // namespace

void TMeshParameters::WriteParameters(TextWriter& writer) const {
    writer.WriteRealLine(Height);
    writer.WriteRealLine(Width);
    WriteSubZones(writer, SubZonesX);
    WriteSubZones(writer, SubZonesY);
    writer.WriteIntegerLine(PorousModel);
    for (std::uint8_t code : BoundaryConditions) writer.WriteIntegerLine(code);
}

TMeshParameters TMeshParameters::ReadParameters(TextReader& reader) {
    TMeshParameters result;
    result.Height = reader.ReadRealLine();
    result.Width = reader.ReadRealLine();
    result.SubZonesX = ReadSubZones(reader, "Número de subzonas en X");
    result.SubZonesY = ReadSubZones(reader, "Número de subzonas en Y");
    result.PorousModel = ReadByteLine(reader, "Modelo de medio poroso");
    for (std::uint8_t& code : result.BoundaryConditions) code = ReadByteLine(reader, "Condición de contorno");
    return result;
}

}  // namespace nerim
