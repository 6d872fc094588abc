// The record converters as a family: the main window destroys them all when
// it goes. Each one is created again by its next GetInstance.
#pragma once

// Takes every record converter once, in the main window's start-up order.
void CreateConverters();

// Calls DestroyInstance of every record converter. Call it while no other
// thread uses a converter.
void DestroyConverters();
