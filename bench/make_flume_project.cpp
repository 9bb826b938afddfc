// Writes a flume scenario of the benchmarks as a project file, so that the command-line mesher
// can be timed on it: make_flume_project typical|large FILE
#include <cstdio>
#include <string>

#include "app/core/project_file.h"
#include "bench/flume_scenarios.h"
#include "objects/core/obstacle_def.h"
#include "objects/core/porous_medium_def.h"
#include "objects/core/water_def.h"
#include "support/text_writer.h"

namespace {

std::unique_ptr<nerim::TNerimObjectDefinition> Material(const nerim::TClassifiedObject& object, int number) {
    using namespace nerim;
    switch (object.Kind) {
        case mkPorous: {
            auto porous = std::make_unique<TPorousMediumDef>();
            porous->Name = "Poroso " + std::to_string(number);
            porous->SetParameters(object.Porous);
            return porous;
        }
        case mkWater: {
            auto water = std::make_unique<TWaterDef>();
            water->Name = "Agua";
            return water;
        }
        default: {
            auto obstacle = std::make_unique<TObstacleDef>();
            obstacle->Name = "Obstáculo " + std::to_string(number);
            return obstacle;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace nerim;
    if (argc != 3 || (std::string(argv[1]) != "typical" && std::string(argv[1]) != "large")) {
        std::fputs("usage: make_flume_project typical|large FILE\n", stderr);
        return 2;
    }
    const TFlumeScenario scenario = MakeFlumeScenario(std::string(argv[1]) == "large" ? FlumeLarge() : FlumeTypical());
    TProjectData project;
    project.Mesh.Width = scenario.Size.Width;
    project.Mesh.Height = scenario.Size.Height;
    project.Mesh.SubZonesX = {scenario.SubZoneX};
    project.Mesh.SubZonesY = {scenario.SubZoneY};
    for (std::size_t k = 0; k < scenario.Objects.size(); ++k)
        project.Objects.push_back({scenario.Lines[k]->Points(), true, Material(scenario.Objects[k], int(k) + 1)});
    FileTextWriter out(argv[2]);
    WriteProjectData(out, project);
    out.Commit();
    return 0;
}
