#include "mesh/core/mesh_quality.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "support/exception.h"
#include "support/format.h"
#include "support/text_writer.h"

namespace nerim {
namespace {

long long Number(std::int32_t k) { return static_cast<long long>(k); }

// Larger over smaller; infinite when the smaller is zero.
double SizeRatio(double a, double b) {
    const double small = std::min(a, b), large = std::max(a, b);
    if (small <= 0.0) return large <= 0.0 ? 1.0 : std::numeric_limits<double>::infinity();
    return large / small;
}

// The CR LF line breaks of a text from the strings file as the "\n" that tooltips take.
std::string LineBreaks(std::string text) {
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) text.erase(at, 1);
    return text;
}

void AppendSeries(std::string& out, const char* name, const std::vector<TQualityPoint>& points) {
    for (const TQualityPoint& p : points) {
        out += name;
        out += ',';
        out += RoundTripText(p.X);
        out += ',';
        out += RoundTripText(p.Y);
        out += ',';
        out += QualityColorName(p.Color);
        out += ',';
        out += p.Label;  // digits, a point, blanks and brackets: never needs quoting
        out += "\r\n";
    }
}

}  // namespace

TAxisQuality AxisQuality(const std::vector<float>& Boundaries) {
    TAxisQuality q;
    const std::size_t n = Boundaries.size();
    if (n < 2) return q;
    q.Delta.reserve(n - 1);
    q.Delta2.reserve(n - 2);
    double slope = 0.0, previousMid = 0.0, previousSize = 0.0;
    for (std::size_t k = 0; k + 1 < n; ++k) {
        const double b0 = Boundaries[k], b1 = Boundaries[k + 1];
        const double mid = (b0 + b1) / 2;
        const double size = b1 - b0;
        const auto cell = static_cast<std::int32_t>(k);
        if (k >= 1) {
            if (mid == previousMid)
                throw EFloatingPointError(Format("La pendiente entre las celdas %d y %d es una división por cero",
                                                 {Number(cell), Number(cell + 1)}));
            slope = (size - previousSize) / (mid - previousMid);
            q.Delta2.push_back({(mid + previousMid) / 2, slope, qcGreen,
                                Format("%.4f (%d)", {b0, Number(cell + 1)}), cell, slope});
        }
        q.Delta.push_back({mid, size, std::abs(slope) <= kQualitySlopeLimit ? qcBlack : qcRed, {}, cell, slope});
        previousMid = mid;
        previousSize = size;
    }
    return q;
}

TAxisSummary SummariseAxis(const TAxisQuality& Quality) {
    TAxisSummary s;
    const std::vector<TQualityPoint>& d = Quality.Delta;
    s.Cells = static_cast<std::int32_t>(d.size());
    for (std::size_t k = 0; k < d.size(); ++k) {
        const auto number = static_cast<std::int32_t>(k + 1);
        if (k == 0 || d[k].Y < s.Smallest) s.Smallest = d[k].Y, s.SmallestCell = number;
        if (k == 0 || d[k].Y > s.Largest) s.Largest = d[k].Y, s.LargestCell = number;
        if (d[k].Color == qcRed) ++s.RedPoints;
        if (k >= 1) {
            const double ratio = SizeRatio(d[k - 1].Y, d[k].Y);
            if (ratio > s.LargestRatio) s.LargestRatio = ratio, s.RatioCell = number - 1;
        }
    }
    return s;
}

std::string SummaryLine(const TAxisSummary& s, const TQualityWording& w) {
    if (s.Cells == 0) return w.NoCells;
    std::string line = Format(s.Cells == 1 ? w.OneCell : w.Cells, {Number(s.Cells), s.Smallest, Number(s.SmallestCell),
                                                                  s.Largest, Number(s.LargestCell)});
    if (s.Cells >= 2) {
        const std::string ratio = std::isinf(s.LargestRatio) ? w.Infinite : Format("%.4f", {s.LargestRatio});
        line += Format(w.Ratio, {ratio, Number(s.RatioCell), Number(s.RatioCell + 1)});
    }
    line += Format(s.RedPoints == 1 ? w.OneRedPoint : w.RedPoints, {Number(s.RedPoints)});
    return line;
}

std::string DeltaPointText(const TAxisQuality& Quality, std::size_t Index, const TQualityWording& Wording) {
    const TQualityPoint& p = Quality.Delta.at(Index);
    return LineBreaks(Format(Wording.DeltaPoint, {Number(p.Cell + 1), p.Y, p.Slope}));
}

std::string Delta2PointText(const TAxisQuality& Quality, std::size_t Index, const TQualityWording& Wording) {
    const TQualityPoint& p = Quality.Delta2.at(Index);
    const TQualityPoint& before = Quality.Delta.at(std::size_t(p.Cell - 1));
    const TQualityPoint& after = Quality.Delta.at(std::size_t(p.Cell));
    return LineBreaks(
        Format(Wording.Delta2Point, {p.Label, Number(p.Cell), Number(p.Cell + 1), before.Y, after.Y, p.Y}));
}

std::vector<TQualityStretch> BlackStretches(const TAxisQuality& Quality) {
    const std::vector<TQualityPoint>& d = Quality.Delta;
    const auto mid = [&](std::size_t a, std::size_t b) {
        return std::pair<double, double>((d[a].X + d[b].X) / 2, (d[a].Y + d[b].Y) / 2);
    };
    std::vector<TQualityStretch> stretches;
    for (std::size_t k = 0; k < d.size();) {
        if (d[k].Color != qcBlack) {
            ++k;
            continue;
        }
        std::size_t end = k;
        while (end + 1 < d.size() && d[end + 1].Color == qcBlack) ++end;
        TQualityStretch& points = stretches.emplace_back();
        if (k > 0) points.push_back(mid(k - 1, k));
        for (std::size_t i = k; i <= end; ++i) points.emplace_back(d[i].X, d[i].Y);
        if (end + 1 < d.size()) points.push_back(mid(end, end + 1));
        k = end + 1;
    }
    return stretches;
}

const char* QualityColorName(TQualityColor Color) {
    switch (Color) {
        case qcRed: return "red";
        case qcGreen: return "green";
        default: return "black";
    }
}

std::string RoundTripText(double Value) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, Value);
    (void)ec;  // 32 characters hold every double
    return std::string(buf, end);
}

std::string QualityCsv(const TAxisQuality& X, const TAxisQuality& Y) {
    std::string out = "series,x,y,color,label\r\n";
    AppendSeries(out, "Delta X", X.Delta);
    AppendSeries(out, "Delta2 X", X.Delta2);
    AppendSeries(out, "Delta Y", Y.Delta);
    AppendSeries(out, "Delta2 Y", Y.Delta2);
    return out;
}

void WriteQualityCsv(const std::filesystem::path& FileName, const TAxisQuality& X, const TAxisQuality& Y) {
    FileTextWriter out(FileName, wmDerived);
    out.WriteBytes(QualityCsv(X, Y));  // UTF-8 as it is (the text is plain ASCII)
    out.Commit();
}

}  // namespace nerim
