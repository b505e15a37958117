#include "game/ShownPicture.h"

#include <cstring>

#include "app/Engine.h"
#include "game/Game.h"

namespace {

class Bytes {
public:
    explicit Bytes(std::vector<unsigned char>& out) : out_(out) { out_.clear(); }

    template <typename Value>
    void add(const Value& value) {
        addRaw(&value, sizeof value);
    }
    void addRaw(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        out_.insert(out_.end(), bytes, bytes + size);
    }

private:
    std::vector<unsigned char>& out_;
};

// Position and rotation as well as the transform: the moving models get their
// transform from them only while they are drawn, so before a frame it still
// holds the last frame's.
void addModel(Bytes& bytes, const Model& model) {
    bytes.add(model.visible >= 1);
    bytes.add(model.transform);
    bytes.add(model.position);
    bytes.add(model.rotation);
    bytes.add(model.material.textureId);
    bytes.add(model.displayList);
}

void describe(const Game& game, std::vector<unsigned char>& out) {
    Bytes bytes(out);
    const GameWindow& window = game.engine.window();
    const View& view = game.engine.view();
    bytes.add(window.handle());
    bytes.add(window.context());
    bytes.add(window.drawableWidth());
    bytes.add(window.drawableHeight());
    bytes.add(view.clearColor());
    bytes.add(view.lightCount());
    bytes.addRaw(view.lights(), sizeof(Light) * LIGHT_SLOTS);
    bytes.add(game.camera);
    for (const Model* model : {&game.field, &game.uprights, &game.dog, &game.ball}) {
        addModel(bytes, *model);
    }
    for (const Model& robot : game.robots) {
        addModel(bytes, robot);
    }
    const TextLabel& label = game.label;
    bytes.add(label.rasterX);
    bytes.add(label.rasterY);
    bytes.add(label.width);
    bytes.add(label.height);
    bytes.add(label.blend);
    if (label.pixels != nullptr) {
        bytes.addRaw(label.pixels, label.byteCount);
    }
}

}  // namespace

bool ShownPicture::matches(const Game& game) const {
    if (drawnFrom_.empty()) {
        return false;
    }
    std::vector<unsigned char> now;
    now.reserve(drawnFrom_.size());
    describe(game, now);
    return now.size() == drawnFrom_.size() && std::memcmp(now.data(), drawnFrom_.data(), now.size()) == 0;
}

void ShownPicture::record(const Game& game) {
    describe(game, drawnFrom_);
}
