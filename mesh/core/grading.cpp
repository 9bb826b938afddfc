#include "mesh/core/grading.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "mesh/core/mesh_error.h"
#include "mesh/core/mesh_parameters.h"
#include "support/exception.h"

namespace nerim {
namespace {

// Rounds to single precision, refusing what a float cannot hold instead of producing an infinity
// or a NaN.
float ToStoredFloat(double value) {
    if (std::isnan(value))
        throw EFloatingPointError("Operación de coma flotante no válida: el resultado no es un número");
    if (!(std::abs(value) <= static_cast<double>(std::numeric_limits<float>::max())))
        throw EFloatingPointError("Desbordamiento de coma flotante: el valor no cabe en precisión simple");
    return static_cast<float>(value);
}

const char* AxisName(TMeshAxis axis) { return axis == maX ? "X" : "Y"; }

// Along Y the left side of a sub-zone lies above its centre on the screen, the right side below.
const char* SideName(TMeshAxis axis, bool left) {
    if (axis == maX) return left ? "lado izquierdo" : "lado derecho";
    return left ? "lado de arriba" : "lado de abajo";
}

void AddSide(std::vector<float>& target, TMeshAxis axis, std::size_t zone, bool left, std::int32_t n, double c,
             double e, double m) {
    try {
        AddGradedDivisions(n, target, c, e, m);
    } catch (const EFloatingPointError& error) {
        throw EFloatingPointError("Eje " + std::string(AxisName(axis)) + ", subzona " + std::to_string(zone + 1) +
                                  ", " + SideName(axis, left) + ": " + error.what());
    }
}

}  // namespace

void AddGradedDivisions(std::int32_t n, std::vector<float>& target, double c, double e, double m) {
    if (n <= 0) return;
    const double L = std::abs(c - e);
    if (L == 0.0)
        throw EFloatingPointError(
            "Operación de coma flotante no válida: el centro coincide con el extremo (longitud 0)");
    if (!std::isfinite(L))
        throw EFloatingPointError("Desbordamiento de coma flotante: la distancia entre el centro y el extremo no "
                                  "es un número finito");
    const double s = (e - c) / L;
    const double nd = n;

    double d = L / nd;
    if (d >= m) d = m;
    const double a = n > 1 ? (L - nd * d) * nd / (nd - 1.0) : 0.0;
    const double b = L - a;

    const std::size_t first = target.size();
    try {
        for (std::int32_t k = 1; k <= n; ++k) {
            const double t = s > 0 ? k / nd : (n - k) / nd;
            target.push_back(ToStoredFloat(c + s * a * (t * t) + s * b * t));
        }
    } catch (...) {
        target.resize(first);
        throw;
    }
}

std::int64_t RequestedCells(const std::vector<TSubZone>& subZones) {
    std::int64_t count = 0;
    for (const TSubZone& zone : subZones)
        count += std::max<std::int64_t>(zone.NumDivL, 0) + std::max<std::int64_t>(zone.NumDivR, 0);
    return count;
}

std::vector<float> GenerateAxisDivisions(const std::vector<TSubZone>& subZones, double extent, bool periodic,
                                         TMeshAxis axis) {
    const std::int64_t count = 1 + (periodic ? 1 : 0) + RequestedCells(subZones);
    if (count > kMaxAxisDivisions)
        throw EMeshError("Eje " + std::string(AxisName(axis)) + ": las subzonas piden " + std::to_string(count) +
                         " divisiones; el máximo es " + std::to_string(kMaxAxisDivisions));

    std::vector<float> divisions;
    divisions.reserve(static_cast<std::size_t>(count));
    divisions.push_back(0.0f);
    for (std::size_t i = 0; i < subZones.size(); ++i) {
        const TSubZone& zone = subZones[i];
        if (zone.NumDivL > 0) AddSide(divisions, axis, i, true, zone.NumDivL, zone.Center, zone.Division, zone.MaxSep);
        if (zone.NumDivR > 0) {
            const double end = i + 1 < subZones.size() ? subZones[i + 1].Division : extent;
            AddSide(divisions, axis, i, false, zone.NumDivR, zone.Center, end, zone.MaxSep);
        }
    }
    std::stable_sort(divisions.begin(), divisions.end());

    if (periodic && divisions.size() >= 2) {
        const double first = static_cast<double>(divisions[1]) - static_cast<double>(divisions[0]);
        try {
            divisions.push_back(ToStoredFloat(static_cast<double>(divisions.back()) + first));
        } catch (const EFloatingPointError& error) {
            throw EFloatingPointError("Eje " + std::string(AxisName(axis)) + ", celda periódica: " + error.what());
        }
    }
    return divisions;
}

void GenerateDivisions(const TMeshParameters& parameters, std::vector<float>& divisionsX,
                       std::vector<float>& divisionsY) {
    divisionsX.clear();
    divisionsY.clear();
    try {
        divisionsX = GenerateAxisDivisions(parameters.SubZonesX, parameters.Width, parameters.PeriodicX(), maX);
        divisionsY = GenerateAxisDivisions(parameters.SubZonesY, parameters.Height, parameters.PeriodicY(), maY);
    } catch (...) {
        divisionsX.clear();
        divisionsY.clear();
        throw;
    }
}

double DivisionAt(const std::vector<float>& divisions, std::int32_t index) {
    CheckListIndex(index, static_cast<long long>(divisions.size()));
    return divisions[static_cast<std::size_t>(index)];
}

}  // namespace nerim
