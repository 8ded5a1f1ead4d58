#pragma once
// Everything a form class needs.
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Control.h"
#include "platform/forms/Form.h"
#include "platform/forms/ImageList.h"
#include "platform/forms/ListBox.h"
#include "platform/forms/OptionButton.h"
#include "platform/forms/SimpleControls.h"
#include "platform/forms/TextBox.h"
#include "platform/forms/TreeView.h"
