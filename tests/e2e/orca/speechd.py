# Orca finds no speech-dispatcher client here, so it speaks to no one and writes each utterance
# to its debug log as "SPEECH OUTPUT: '...'": no audio and no speech server are needed.
raise ImportError("speech-dispatcher is left out on purpose")
