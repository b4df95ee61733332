// darts-sim's demo commands:
//   darts-sim demo FILE                      play a demo without a screen (in the language it
//                                            was recorded in) and say how it ended
//   darts-sim make-demo --script NAME --seed S [--language ja|en] --out FILE
//                                            let the demo player play a script and record it
#pragma once

namespace darts::demo {

int runDemoReplay(int argc, char** argv);
int runMakeDemo(int argc, char** argv);

}  // namespace darts::demo
