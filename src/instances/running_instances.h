#pragma once
// The running copies of the product as the entry sees them: the count of
// the instance registry (this process included) and the closing of the
// others. Until the registry is connected, only this process is counted and
// there is nothing to close.
int CountRegisteredInstances();
void CloseOtherInstances(int others);
