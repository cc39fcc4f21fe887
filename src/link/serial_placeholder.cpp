// Placeholder until the serial line lands.
