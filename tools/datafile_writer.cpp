// Placeholder until the datafile writer lands.
