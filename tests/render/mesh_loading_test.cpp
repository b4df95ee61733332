#include "render/mesh_loading.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace darts::render {
namespace {

constexpr const char* kTwoMaterialModel = R"(xof 0303txt 0032
Material Plain { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }
Mesh {
  4; 0;0;0;, 1;0;0;, 1;1;0;, 0;1;0;;
  2; 3;0,1,2;, 3;0,2,3;;
  MeshMaterialList { 2; 2; 1, 0;;
    { Plain }
    Material { 0.2;0.4;0.6;0.8;; 12; 0.1;0.2;0.3;; 0.4;0.5;0.6;;
      TextureFilename { "boards\cork.png"; } } }
}
)";

TEST(MeshLoadingPaths, TextureNamesFollowTheModelsRule) {
    EXPECT_EQ(texturePath("cork.png", TexturePathRule::NameUnchanged), "cork.png");
    EXPECT_EQ(texturePath("cork.png", TexturePathRule::InDataFolder), "data\\cork.png");
    // Folders inside the name are kept after the prefix.
    EXPECT_EQ(texturePath("boards\\cork.png", TexturePathRule::InDataFolder),
              "data\\boards\\cork.png");
    EXPECT_EQ(texturePath("", TexturePathRule::InDataFolder), "");
    EXPECT_EQ(texturePath("", TexturePathRule::NameUnchanged), "");
}

TEST(MeshLoadingAsset, OneMaterialAndTexturePathPerSubset) {
    gfx::XFileResult parsed = gfx::parseXFile(kTwoMaterialModel);
    ASSERT_TRUE(parsed.mesh) << parsed.error;
    MeshAsset asset = makeMeshAsset(*parsed.mesh, TexturePathRule::InDataFolder);

    ASSERT_EQ(asset.materials.size(), 2u);
    ASSERT_EQ(asset.textureFiles.size(), 2u);
    ASSERT_EQ(asset.textures.size(), 2u);
    EXPECT_EQ(asset.textureFiles[0], "");
    EXPECT_EQ(asset.textureFiles[1], "data\\boards\\cork.png");
    EXPECT_EQ(asset.textures[1], 0u);
    EXPECT_EQ(asset.mesh, 0u);

    const Material& m = asset.materials[1];
    EXPECT_FLOAT_EQ(m.diffuse.g, 0.4f);
    EXPECT_FLOAT_EQ(m.diffuse.a, 0.8f);
    EXPECT_FLOAT_EQ(m.ambient.a, 1.0f);
    EXPECT_FLOAT_EQ(m.specular.b, 0.3f);
    EXPECT_FLOAT_EQ(m.specular.a, 1.0f);
    EXPECT_FLOAT_EQ(m.emissive.r, 0.4f);
    EXPECT_FLOAT_EQ(m.power, 12.0f);
}

class MeshLoadingFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = std::filesystem::temp_directory_path() /
                  ("darts_mesh_loading_" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    // The file's path written the game's way, with backslashes.
    std::string write(const std::string& fileName, const std::string& contents) {
        std::filesystem::path path = folder_ / fileName;
        std::ofstream(path, std::ios::binary) << contents;
        std::string gamePath = path.string();
        for (char& c : gamePath) {
            if (c == '/') c = '\\';
        }
        return gamePath;
    }

    std::filesystem::path folder_;
};

TEST_F(MeshLoadingFile, LoadsAGamePathIntoMeshAndAsset) {
    std::string gamePath = write("board.x", kTwoMaterialModel);
    MeshLoadResult result = loadMeshAsset(gamePath, TexturePathRule::NameUnchanged);
    ASSERT_TRUE(result.model) << result.error;
    EXPECT_EQ(result.model->asset.textureFiles[1], "boards\\cork.png");
    EXPECT_EQ(result.model->mesh.vertices.size(), 4u);
    ASSERT_EQ(result.model->mesh.subsets.size(), 2u);
    EXPECT_EQ(result.model->mesh.subsets[0].indexCount, 3u);
}

TEST_F(MeshLoadingFile, MissingOrBrokenFilesFailWithAReason) {
    MeshLoadResult missing =
        loadMeshAsset(write("x.txt", "") + "nothing.x", TexturePathRule::InDataFolder);
    EXPECT_FALSE(missing.model);
    EXPECT_FALSE(missing.error.empty());

    MeshLoadResult broken = loadMeshAsset(write("broken.x", "xof 0303txt 0032\nMesh { 3; 0;"),
                                          TexturePathRule::InDataFolder);
    EXPECT_FALSE(broken.model);
    EXPECT_NE(broken.error.find("broken.x"), std::string::npos);
}

}  // namespace
}  // namespace darts::render
