// make_media: writes every model, texture and the splash picture of the game into
// a media folder, and the synthesised sounds as plain PCM for tools/make_media.sh
// to finish. The same run always writes the same bytes.
//
//   make_media <media folder> [--pcm <folder>] [--preview <folder>]
//
// --icons <folder> also writes the desktop icon, <folder>/<size>x<size>/apps/*.png,
// and with --ico <file> the same icon for Windows.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "Icon.h"
#include "Models.h"
#include "Preview.h"
#include "Splash.h"
#include "Synth.h"

namespace {

bool writeModel(const std::string& folder, const BuiltModel& model) {
    if (!writeTextFile(folder + "/" + model.fileName, a3fText(model))) return false;
    std::string texturePath = folder + "/" + model.material.textureFile;
    return model.textureAsBmp ? model.texture.writeBmp(texturePath) : model.texture.writeJpeg(texturePath, 92);
}

bool writeSounds(const std::string& folder) {
    struct Made {
        const char* name;
        std::vector<float> samples;
    };
    Made sounds[] = {{"kick.wav", synthKick()}, {"whistle.wav", synthWhistle()}, {"vortun.wav", synthTheme()}};
    for (Made& s : sounds) {
        normalisePeak(s.samples, 0.7f);
        if (!writePcmWav(folder + "/" + s.name, s.samples)) return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <media folder> [--pcm <folder>] [--preview <folder>]\n", argv[0]);
        return 2;
    }
    std::string media = argv[1], pcmFolder, previewFolder;
    std::string iconFolder, icoPath;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--pcm") == 0) pcmFolder = argv[i + 1];
        if (std::strcmp(argv[i], "--preview") == 0) previewFolder = argv[i + 1];
        if (std::strcmp(argv[i], "--icons") == 0) iconFolder = argv[i + 1];
        if (std::strcmp(argv[i], "--ico") == 0) icoPath = argv[i + 1];
    }
    std::vector<BuiltModel> models;
    models.push_back(buildField());
    models.push_back(buildUprights());
    models.push_back(buildDog());
    models.push_back(buildRobot());
    models.push_back(buildBall());
    for (const BuiltModel& model : models) {
        if (!writeModel(media, model)) {
            std::fprintf(stderr, "cannot write %s in %s\n", model.fileName.c_str(), media.c_str());
            return 1;
        }
        std::printf("%-14s %6zu triangles\n", model.fileName.c_str(), model.mesh.triangleCount());
    }
    if (!paintSplash(models).writeJpeg(media + "/splash.jpg", 90)) {
        std::fprintf(stderr, "cannot write the splash picture\n");
        return 1;
    }
    if (!pcmFolder.empty() && !writeSounds(pcmFolder)) {
        std::fprintf(stderr, "cannot write the sounds in %s\n", pcmFolder.c_str());
        return 1;
    }
    if (!iconFolder.empty() && !writeIcons(models, iconFolder, icoPath)) {
        std::fprintf(stderr, "cannot write the icons in %s\n", iconFolder.c_str());
        return 1;
    }
    if (!previewFolder.empty() && !writePreviews(models, previewFolder)) {
        std::fprintf(stderr, "cannot write the previews in %s\n", previewFolder.c_str());
        return 1;
    }
    return 0;
}
