#include "transformation/model.h"

namespace orthavion {

std::string_view ModelName(Model model) {
  switch (model) {
    case Model::Similarity7: return "similarity7";
    case Model::Rigid6: return "rigid6";
    case Model::Horizontal5: return "horizontal5";
  }
  return {};
}

std::optional<Model> ParseModel(std::string_view name) {
  for (Model m : {Model::Similarity7, Model::Rigid6, Model::Horizontal5})
    if (name == ModelName(m)) return m;
  return std::nullopt;
}

std::int32_t ModelParameters(Model model) {
  switch (model) {
    case Model::Similarity7: return 7;
    case Model::Rigid6: return 6;
    case Model::Horizontal5: return 5;
  }
  return 0;
}

}  // namespace orthavion
