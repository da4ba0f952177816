#include "result/resultjson.h"

#include <nlohmann/json.hpp>

#include "base/fpcheck.h"
#include "export/projexport.h"
#include "transformation/model.h"

namespace orthavion {

namespace {

using Json = nlohmann::ordered_json;

Json Array(const Vec3& v) { return Json::array({v[0], v[1], v[2]}); }

Json Optional(const std::optional<double>& v) { return v ? Json(*v) : Json(nullptr); }

Json OptionalArray(const std::array<std::optional<double>, 3>& v) {
  return Json::array({Optional(v[0]), Optional(v[1]), Optional(v[2])});
}

std::string Dumped(const Json& j) {
  // The texts are UTF-8 already; a byte that is not would be replaced
  // rather than end the command.
  return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json ControlPoint(const ControlPointResult& p) {
  Json j;
  j["id"] = p.id;
  j["used"] = p.used;
  j["start_m"] = Array(p.start);
  j["target_m"] = Array(p.target);
  j["transformed_m"] = Array(p.transformed);
  j["residual_m"] = Array(p.residual);
  if (p.used) {
    j["redundancy"] = Array(p.redundancy);
    j["test_value"] = OptionalArray(p.testValue);
    j["mdb_m"] = OptionalArray(p.mdb);
    j["flagged"] = p.flagged;
  }
  return j;
}

Json NewPoint(const NewPointResult& n) {
  Json j;
  j["id"] = n.id;
  j["start_m"] = Array(n.start);
  j["transformed_m"] = Array(n.transformed);
  j["sigma_m"] = Array(n.sigma);
  return j;
}

// The members of the result before the point lists, in order.
Json Head(const AdjustmentResult& r) {
  Json j;
  j["format"] = "orthavion-result";
  j["version"] = 1;
  j["start_file"] = r.startFile;
  j["target_file"] = r.targetFile;
  j["model"] = std::string(ModelName(r.transformation.model));
  j["sigma0_apriori_m"] = Optional(r.sigma0);
  j["test"] = {{"kind", r.testKind == TestKind::W ? "w" : "tau"},
               {"alpha", r.alpha},
               {"critical_value", r.criticalValue}};
  j["degrees_of_freedom"] = r.degreesOfFreedom;
  j["vv_m2"] = r.vv;
  j["m0_m"] = r.m0;
  j["s_m"] = r.s;
  const Transformation& t = r.transformation;
  j["start_centroid_m"] = Array(t.startCentroid);
  j["target_centroid_m"] = Array(t.targetCentroid);
  j["translation_m"] = Array(t.Translation());
  j["rotation_matrix"] = Json::array({Array(t.R[0]), Array(t.R[1]), Array(t.R[2])});
  j["rotation_gon"] = Array(r.rotationGon);
  j["scale"] = t.scale;
  j["row_scale"] = Array(t.rowScale);
  j["sigma_translation_m"] = Array(r.sigmaTranslation);
  j["sigma_rotation_gon"] = Array(r.sigmaRotationGon);
  j["sigma_scale_ppm"] = r.sigmaScalePpm;
  j["correlation"] = {{"order", r.parameterOrder}, {"matrix", r.correlation}};
  const AffineParameters affine = t.Affine();
  Json rows = Json::array();
  for (int i = 0; i < 3; ++i)
    rows.push_back({affine.A[i][0], affine.A[i][1], affine.A[i][2], affine.offset[i]});
  j["affine"] = std::move(rows);
  const ProjStrings proj = ProjStringsOf(t);
  j["proj"] = {{"forward", proj.forward}, {"inverse", proj.inverse}};
  if (r.globalTest)
    j["global_test"] = {{"statistic", r.globalTest->statistic},
                        {"chi2_quantile_95", r.globalTest->quantile},
                        {"accepted", r.globalTest->accepted}};
  else
    j["global_test"] = nullptr;
  Json steps = Json::array();
  for (const SnoopingStep& s : r.snooping) steps.push_back({{"id", s.id}, {"test_value", s.testValue}});
  j["snooping"] = std::move(steps);
  return j;
}

// Writes the members of `head` one a line, then a list of objects one a line.
template <typename Item, typename ToJson>
void List(const char* key, const std::vector<Item>& items, ToJson toJson, bool last,
          const std::function<void(std::string_view)>& sink) {
  std::string out = "  " + Dumped(Json(key)) + ": [";
  for (std::size_t i = 0; i < items.size(); ++i) {
    out += i == 0 ? "\n    " : ",\n    ";
    out += Dumped(toJson(items[i]));
    if (out.size() > (1 << 16)) {
      sink(out);
      out.clear();
    }
  }
  out += items.empty() ? "]" : "\n  ]";
  out += last ? "\n" : ",\n";
  sink(out);
}

}  // namespace

void WriteResultJson(const AdjustmentResult& result,
                     const std::function<void(std::string_view)>& sink) {
  FpFlagsKept keep;  // the library's number writing is not the command's arithmetic
  const Json head = Head(result);
  std::string out = "{\n";
  for (auto it = head.begin(); it != head.end(); ++it)
    out += "  " + Dumped(Json(it.key())) + ": " + Dumped(it.value()) + ",\n";
  sink(out);
  List("control_points", result.controlPoints, ControlPoint, false, sink);
  List("new_points", result.newPoints, NewPoint, true, sink);
  sink("}\n");
}

OutputFile ResultJsonFile(const AdjustmentResult& result, const std::string& fileName) {
  return {fileName, [&result](const std::function<void(std::string_view)>& sink) {
            WriteResultJson(result, sink);
          }};
}

}  // namespace orthavion
