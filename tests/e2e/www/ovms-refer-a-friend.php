<?php
// The maker's referral endpoint as the tests see it: each request is recorded as one JSON
// object a line, with the Host header, the raw request address and the parameters exactly as
// PHP decoded them.
$record = [
    'host' => $_SERVER['HTTP_HOST'] ?? '',
    'uri' => $_SERVER['REQUEST_URI'] ?? '',
    'get' => $_GET,
];
$line = json_encode($record, JSON_UNESCAPED_SLASHES | JSON_INVALID_UTF8_SUBSTITUTE);
file_put_contents(getenv('TRESSORA_E2E_REFERRALS'), $line . "\n", FILE_APPEND | LOCK_EX);
header('Content-Type: text/plain; charset=utf-8');
echo "Thank you for referring a friend.\n";
