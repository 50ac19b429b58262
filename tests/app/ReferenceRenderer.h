#pragma once

#include "app/App.h"
#include "app/Layout.h"
#include "app/Shapes.h"

// The scene drawn as it first was: a draw call for every shape and every text,
// in the scene's order, chip pins coloured by their values as they are drawn;
// the board shown, and over it the path of the chips looked into.
// The yardstick for the batched drawing, pixel for pixel, and for its speed.
inline int drawOneShapeAtATime(const App& app, sf::RenderTarget& target) {
    int calls = 0;
    const auto draw = [&](const sf::Drawable& drawable) { target.draw(drawable, sf::RenderStates::Default), ++calls; };
    const auto drawChip = [&](const Chip& chip) {
        draw(bodyOf(chip));
        for (int32_t pin = 0; pin < chip.inputCount() + chip.outputCount(); ++pin) {
            sf::CircleShape circle = pinCircleOf(chip, pin);
            const bool input = pin < chip.inputCount();
            circle.setFillColor(logicColour(input ? chip.input(pin) : chip.output(pin - chip.inputCount())));
            draw(circle);
        }
        draw(labelOf(chip, app.font()));
    };
    const auto drawWire = [&](const Wire& wire) {
        sf::Vertex line[2];
        for (std::size_t end = 0; end < 2; ++end) {
            const Wire::Shade shade = wire.shades[end];
            line[end] = sf::Vertex(toScreen(wire.ends[end]), shade == Wire::Shade::Unchosen ? sf::Color::White : logicColour(shade == Wire::Shade::High));
        }
        target.draw(line, 2, sf::Lines), ++calls;
    };
    const Editor& editor = app.editor();
    target.clear(layout::BACKGROUND);
    draw(app.widgets().boardFrame);
    for (const Button& button : app.widgets().buttons) draw(button.rect), draw(button.text);
    draw(app.widgets().nameBox.rect()), draw(app.widgets().nameBox.text());
    for (const Chip& chip : editor.palette().entries()) drawChip(chip);
    const Board& board = editor.shownBoard();
    for (const Chip& chip : board.chips) drawChip(chip);
    for (std::size_t input = 0; input < board.inputs.size(); ++input) draw(inputCircle(editor, input));
    for (std::size_t output = 0; output < board.outputs.size(); ++output) draw(outputCircle(editor, output));
    for (const Wire& wire : board.wires) drawWire(wire);
    if (app.wiring().underWay()) drawWire(*app.wiring().underWay());
    for (const Chip* chip : app.selecting().selected())
        if (!editor.inside()) draw(selectedOutlineOf(*chip));
    if (app.selecting().area() && !editor.inside()) draw(selectingRectangle(*app.selecting().area()));
    if (app.widgets().notice.isShown()) draw(app.widgets().notice.text());
    for (const sf::Text* line : {&app.widgets().paceLabel, &app.widgets().wiringHint, &app.widgets().pathLabel})
        if (!line->getString().isEmpty()) draw(*line);
    const TimingDiagram& diagram = app.widgets().timingDiagram;
    if (diagram.isShown()) {
        draw(diagram.panel());
        for (const TimingDiagram::Stroke& stroke : diagram.strokes()) {
            sf::RectangleShape line({stroke.box.width, stroke.box.height});
            line.setPosition(stroke.box.left, stroke.box.top);
            line.setFillColor(stroke.colour);
            draw(line);
        }
        for (int32_t row = 0; row < diagram.rows(); row += diagram.nameEvery()) draw(diagram.names()[row]);
    }
    const std::optional<PinNaming::Field>& naming = app.pinNaming().field();
    for (const sf::Text& name : pinNameTexts(editor, app.font(), naming && naming->output, naming ? naming->pin : -1)) draw(name);
    for (const Tag* tag : {&app.widgets().pinField, &app.widgets().pinLabel})
        if (tag->isShown()) draw(tag->rect()), draw(tag->text());
    return calls;
}
