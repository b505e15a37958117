// The camera behind the dog and the drawing of the scene.
#include "core/Field.h"
#include "game/Game.h"

void Game::updateCamera() {
    // The eye stays at its height; it falls back from 10 behind the dog at its own
    // end line to 22.5 behind at the far end, and looks 10 past the ball.
    cameraEye.x = dog.position.x;
    cameraEye.z = (dog.position.z - 10.0f) - (FIELD_HALF_LENGTH + dog.position.z) / 8.0f;
    cameraTarget.set(ball.position.x, ball.position.y - 1.5f, ball.position.z + 10.0f);
    camera.lookAt(cameraEye, cameraTarget, cameraUp);
}

void placeModel(Model& model) {
    model.transform.setRotationTranslation(model.rotation, model.position);
}

void Game::draw() {
    // The view is on the projection stack, so each model loads only its own
    // transform and needs no push or pop.
    field.draw();
    uprights.draw();
    placeModel(dog);
    dog.draw();
    placeModel(ball);
    ball.draw();
    for (Model& robot : robots) {
        placeModel(robot);
        robot.draw();
    }
    // Last, so no model hides the score.
    label.draw();
    // Every picture that reaches the screen comes through here.
    shownPicture.record(*this);
}
