// enter_key.h -- Enter in a name field presses the button that saves under the name
#ifndef VELMORA_GUI_ENTER_KEY_H
#define VELMORA_GUI_ENTER_KEY_H

class Fl_Button;
class Fl_Input;

// Enter in field runs button's callback as a press would (nothing while button is inactive);
// the field's other keys and the window's other fields are left as they were
void EnterPresses(Fl_Input* field, Fl_Button* button);

#endif
