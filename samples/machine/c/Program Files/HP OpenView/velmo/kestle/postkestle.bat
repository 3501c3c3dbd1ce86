@echo off
echo     [postkestle.bat] integration in place
