// Placeholder until the application lands.
