#pragma once

#include "app/App.h"
#include "app/Layout.h"

// The scene drawn as it first was: a draw call for every shape and every text,
// in the scene's order, chip pins coloured by their values as they are drawn.
// The yardstick for the batched drawing, pixel for pixel, and for its speed.
inline int drawOneShapeAtATime(const App& app, sf::RenderTarget& target) {
    int calls = 0;
    const auto draw = [&](const sf::Drawable& drawable) { target.draw(drawable, sf::RenderStates::Default), ++calls; };
    const auto drawChip = [&](const Chip& chip) {
        draw(chip.body());
        for (int32_t pin = 0; pin < chip.inputCount() + chip.outputCount(); ++pin) {
            sf::CircleShape circle = chip.pinCircle(pin);
            const bool input = pin < chip.inputCount();
            circle.setFillColor(logicColour(input ? chip.input(pin) : chip.output(pin - chip.inputCount())));
            draw(circle);
        }
        draw(chip.label());
    };
    target.clear(layout::BACKGROUND);
    draw(app.boardFrame);
    for (const Button& button : app.buttons) draw(button.rect), draw(button.text);
    draw(app.nameBox.rect()), draw(app.nameBox.text());
    for (const Chip& chip : app.library) drawChip(chip);
    for (const Chip& chip : app.board.chips) drawChip(chip);
    for (const sf::CircleShape& circle : app.inputCircles) draw(circle);
    for (const sf::CircleShape& circle : app.outputCircles) draw(circle);
    for (const Wire& wire : app.board.wires) target.draw(wire.line.data(), 2, sf::Lines), ++calls;
    return calls;
}
