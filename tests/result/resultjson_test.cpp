// The JSON result: the required members, doubles that read back bit for
// bit (so the transformation can be applied again exactly), UTF-8 point
// numbers, and nothing written on error.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "estimation/similarity.h"
#include "protocol/protocolfile.h"
#include "result/resultjson.h"
#include "statistics/adjustmentrun.h"
#include "support/testdir.h"

using namespace orthavion;
using namespace testsupport;

namespace {

struct Saved {
  TestDir dir;
  RunState state;
  AdjustmentResult result;
  nlohmann::json json;
  explicit Saved(const AdjustmentOptions& options) {
    const Similarity truth{1.0000123, 0.2, -0.1, 33.0, {4512345.678, 5623456.789, 312.3}};
    auto start = SitePoints(8, 700.0, {1000.0, 2000.0, 100.0}, false, 5);
    start[1].nr = "M\xE4uerle";  // Windows-1252 "Mäuerle"
    auto target = Transformed(start, truth, 0.003, 9);
    start.push_back({"Neu\xDF", {1111.1, 2222.2, 99.9}});  // "Neuß"
    const std::string s = dir.write("s.txt", PointFileText(start));
    result = AdjustmentRun(state, s, dir.write("z.txt", PointFileText(target)), options);
    SaveWithProtocol(state.protocol, dir.file("Trafoprotokoll.txt"),
                     {ResultJsonFile(result, dir.file("r.json"))});
    json = nlohmann::json::parse(ReadBytes(dir.file("r.json")));
  }
};

std::array<double, 3> Row(const nlohmann::json& j) { return {j[0], j[1], j[2]}; }

TEST(ResultJsonTest, HoldsTheRequiredMembersAndReadsBackBitForBit) {
  for (const Model model : {Model::Similarity7, Model::Rigid6, Model::Horizontal5}) {
    AdjustmentOptions options;
    options.model = model;
    options.exclude = {"P3"};
    options.sigma0 = 0.003;
    const Saved s(options);
    const nlohmann::json& j = s.json;
    for (const char* key :
         {"format", "version", "start_file", "target_file", "model", "sigma0_apriori_m", "test",
          "degrees_of_freedom", "vv_m2", "m0_m", "start_centroid_m", "target_centroid_m",
          "translation_m", "rotation_matrix", "rotation_gon", "scale", "sigma_translation_m",
          "sigma_rotation_gon", "sigma_scale_ppm", "correlation", "control_points", "snooping",
          "new_points", "row_scale"})
      EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_EQ(j["format"], "orthavion-result");
    EXPECT_EQ(j["version"], 1);
    EXPECT_EQ(j["model"], std::string(ModelName(model)));
    EXPECT_EQ(j["test"]["kind"], "w");
    EXPECT_EQ(j["sigma0_apriori_m"].get<double>(), 0.003);

    // What applying the transformation again needs, exactly as the run holds it.
    const Transformation& st = s.state.TransformationInForce();
    EXPECT_EQ(Row(j["start_centroid_m"]), st.startCentroid);
    EXPECT_EQ(Row(j["target_centroid_m"]), st.targetCentroid);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Row(j["rotation_matrix"][i]), st.R[i]);
      EXPECT_EQ(j["row_scale"][i].get<double>(), st.rowScale[i]);
      EXPECT_EQ(j["translation_m"][i].get<double>(), st.Translation()[i]);
    }
    EXPECT_EQ(j["scale"].get<double>(), st.scale);
    EXPECT_EQ(j["m0_m"].get<double>(), s.result.m0);
    EXPECT_EQ(j["correlation"]["order"].size(), static_cast<std::size_t>(ModelParameters(model)));

    // Per point, bit for bit; the check point without tests.
    ASSERT_EQ(j["control_points"].size(), 8u);
    for (std::size_t i = 0; i < 8; ++i) {
      const nlohmann::json& p = j["control_points"][i];
      const ControlPointResult& r = s.result.controlPoints[i];
      EXPECT_EQ(Row(p["transformed_m"]), r.transformed);
      EXPECT_EQ(Row(p["residual_m"]), r.residual);
      EXPECT_EQ(p["used"], r.used);
      EXPECT_EQ(p.contains("test_value"), r.used);
      if (r.used) {
        EXPECT_EQ(p["test_value"][0].get<double>(), *r.testValue[0]);
      }
    }
    EXPECT_EQ(j["control_points"][1]["id"], "M\u00E4uerle");
    EXPECT_EQ(j["new_points"][0]["id"], "Neu\u00DF");
    EXPECT_EQ(Row(j["new_points"][0]["sigma_m"]), s.result.newPoints[0].sigma);
    if (model == Model::Horizontal5) {
      EXPECT_EQ(j["row_scale"][2].get<double>(), 1.0);
    }
    if (model == Model::Rigid6) {
      EXPECT_EQ(j["sigma_scale_ppm"].get<double>(), 0.0);
    }
  }
}

TEST(ResultJsonTest, WithoutSigma0TheTestIsTauAndThereIsNoGlobalTest) {
  const Saved s(AdjustmentOptions{});
  EXPECT_EQ(s.json["test"]["kind"], "tau");
  EXPECT_TRUE(s.json["sigma0_apriori_m"].is_null());
  EXPECT_TRUE(s.json["global_test"].is_null());
}

TEST(ResultJsonTest, AFailedJsonLeavesTheEarlierFilesAsTheyWere) {
  Saved s(AdjustmentOptions{});
  s.dir.write("Trafoprotokoll.txt", "earlier");
  EXPECT_THROW(SaveWithProtocol(s.state.protocol, s.dir.file("Trafoprotokoll.txt"),
                                {ResultJsonFile(s.result, s.dir.file("missing/r.json"))}),
               Error);
  EXPECT_EQ(ReadBytes(s.dir.file("Trafoprotokoll.txt")), "earlier");
  // A protocol that cannot be written leaves no JSON behind, not even its temporary file.
  std::filesystem::remove(s.dir.file("r.json"));
  EXPECT_THROW(SaveWithProtocol(s.state.protocol, s.dir.file("missing/T.txt"),
                                {ResultJsonFile(s.result, s.dir.file("r.json"))}),
               Error);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(s.dir.path()), {}), 3);  // s, z, protocol
}

}  // namespace
