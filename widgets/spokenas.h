// How a screen reader presents a window or a control, where what Qt tells it by default leaves
// the user without what the screen shows. Only what the reader hears changes: nothing is drawn
// differently.
#pragma once

class QWidget;

namespace tressora {

enum class SpokenAs {
    // A window whose longer texts a reader reads out as it opens, as it reads a dialog's.
    Dialog,
    // A window that a reader reads out whole as it opens, every text in reading order, short
    // ones too, as it reads a message. Its texts are the labels spoken as Text under it; they
    // are also its description and its own text, in the same order, for readers that read one
    // of those instead.
    Message,
    // A label that is a text of its own, read with the window's other texts, and not one of the
    // controls that the caption of the frame around it names.
    Text,
    // A button that keeps its state only for the moment of a click: a reader calls it a push
    // button, whatever Qt makes of it.
    PushButton,
};

// From now on screen readers present the widget so. Call it once the widget exists, before it
// is shown.
void speakAs(QWidget *widget, SpokenAs kind);

// Readers learn that the box has the focus before anything the box does on receiving it (select
// its text, clear a placeholder) is reported: a reader told of a caret first takes the box as
// already presented and says nothing when the focus arrives. While a reader listens, the box
// and its event filters handle the focus one turn of the event loop later, and in any case
// before its next key, click or loss of focus. Call it after the box's other event filters are
// installed.
void announceFocusFirst(QWidget *box);

} // namespace tressora
