# layers.cmake -- the order of the folders of src/, lowest first: a file may include headers of
# its own folder and of folders before it, never of a folder after it. Read by
# tests/check_layers.cmake (a test of every build) and nothing else; a new folder of src/
# gets its place here.
#   base      messages, paths, safe file writing, the data folder, numbers, named constants
#   media     animation encoders (GIF, video) of RGB frames
#   matrix    vectors, matrices, least squares, condition number
#   graphics  solids, lights, materials, frame markers; allocation
#   robot     records and application state, the robot file, configurations, lengths
#   kin       forward kinematics, task and Jacobian, the solvers, pose rules, conditioning
#   links     generic link bodies, the model registry, the built-in models
#   traj      path generation, trajectory files, transforms, playback, solving, plots
#   scene     scene things, the work environment, obstacles, the scene drawing walk
#   collide   collision models and clearance of the robot against the scene and itself
#   load      the robot load transaction that wires the layers below together
#   cli       the command-line companion (core only)
#   gui       the windows
set(VELMORA_LAYERS base media matrix graphics robot kin links traj scene collide load cli gui)
