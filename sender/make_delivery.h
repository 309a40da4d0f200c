#pragma once
// The delivery for a destination code: a serial port's code is its number, the others are the
// pseudo-ports of platform/ports.h.

#include <memory>

#include "sender/delivery.h"

std::unique_ptr<TDelivery> MakeDelivery(const TDeliverySetup& setup);
