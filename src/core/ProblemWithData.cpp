#include "src/core/ProblemWithData.h"

#include "platform/forms/MessageBox.h"
#include "platform/map/FeatureLayer.h"
#include "platform/map/StandaloneTable.h"

namespace tessaly {

namespace {
void Show(const std::string& name, const char* tail) {
    platform::MsgBox(ProblemWithDataText(name, tail), platform::vbInformation, kProblemWithDataTitle);
}
}  // namespace

std::string ProblemWithDataText(const std::string& name, const char* tail) {
    return "There is something wrong with " + name + "!  It is not a valid " + tail;
}

void ShowProblemWithData(const platform::FeatureLayer& layer, const ProblemTails& tails) {
    Show(layer.Name(), tails.layer);
}

void ShowProblemWithData(const platform::StandaloneTable& table, const ProblemTails& tails) {
    Show(table.Name(), tails.table);
}

}  // namespace tessaly
