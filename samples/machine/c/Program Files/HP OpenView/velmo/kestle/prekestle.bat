@echo off
echo     [prekestle.bat] preparing the integration
