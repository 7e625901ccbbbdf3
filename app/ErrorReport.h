#pragma once

#include <functional>

#include "platform/component/Exceptions.h"

// How a failure inside an event handler reaches the user; replaceable for tests.
using TErrorReport = std::function<void(const Exception&)>;

// The application's default report (TApplication::HandleException): a message box with the
// failure's message, titled with the application's title, with the error icon.
void ShowErrorReport(const Exception& failure);
