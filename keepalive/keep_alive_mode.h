#pragma once

// What the lamps show: OFF, or ON with the last probe's answer. Never persisted.
enum class KeepAliveMode { Off, OnOffline, OnOnline };
