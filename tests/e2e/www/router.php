<?php
// Logs the path and query of every request the test server receives, then lets the server
// answer it as usual: the referral endpoint runs, any other path gets 404.
file_put_contents(getenv('TRESSORA_E2E_REQUESTS'), $_SERVER['REQUEST_URI'] . "\n",
                  FILE_APPEND | LOCK_EX);
return false;
